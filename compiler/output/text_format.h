#pragma once

#include <cstdint>
#include <string>

namespace zor::compiler {

// printf into a string of whatever length the result needs.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// The hot paths of a large compile build their lines with these instead.
void append_decimal(std::string& out, int32_t value);
// Eight hexadecimal digits, zero-padded.
void append_hex8(std::string& out, uint32_t value, bool upper_case = false);

}  // namespace zor::compiler
