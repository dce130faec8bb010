#pragma once
// Shared by the files that replace a file on each system.

#include <string>

namespace zor::platform {

// A name beside `path` that nothing is likely to stand under (lower case
// only, as Windows names ignore case); creating it exclusively settles the
// rest.
std::string fresh_name(const std::string& path);

}  // namespace zor::platform
