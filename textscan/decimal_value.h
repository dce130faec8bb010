#pragma once
// The decimal reading the definition language uses for counts and sizes,
// shared by the compiler and zoredit so both read a number the same way.

#include <cstdint>
#include <string_view>

namespace zor::textscan {

// Leading blanks and tabs, an optional sign, digits up to the first other
// character (as C's atoi), wrapping to 32 bits instead of overflowing.
int32_t decimal_value(std::string_view text);

}  // namespace zor::textscan
