#pragma once
// How the definition language compares keywords, names and text IDs: ASCII
// letters folded to lower case, nothing else touched. The trail byte of a
// Shift-JIS character is never folded, so two different characters never
// compare equal.

#include <string>
#include <string_view>

namespace zor::textscan {

std::string fold_case(std::string_view text);

}  // namespace zor::textscan
