#pragma once
// The number readings of the definition language, one for each kind of
// value, shared by the compiler and zoredit so both read a number the same
// way. The exported C functions (s_atoi, s_atobool) are these readings.

#include <cstdint>
#include <string_view>

namespace zor::textscan {

// Counts and sizes: leading blanks and tabs, an optional sign, digits up to
// the first other character (as C's atoi), wrapping to 32 bits instead of
// overflowing.
int32_t decimal_value(std::string_view text);

// IDs: blanks and tabs around are ignored; after 0x, 0X, x or X the
// hexadecimal digits up to the first other character, otherwise
// decimal_value. Wraps to 32 bits.
int32_t integer_value(std::string_view text);

// Boolean values: 1 for a text that begins with T or t, 0 for F or f,
// otherwise decimal_value. A hexadecimal text is not read as such: "0x1" is 0.
int32_t boolean_value(std::string_view text);

}  // namespace zor::textscan
