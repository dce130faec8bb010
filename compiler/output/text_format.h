#pragma once

#include <string>

namespace zor::compiler {

// printf into a string of whatever length the result needs.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zor::compiler
