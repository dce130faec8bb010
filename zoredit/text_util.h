#pragma once
// Small text helpers shared by the readers, the store and the writer.

#include <cstdint>
#include <string>
#include <string_view>

#include "textscan/fold_case.h"
#include "textscan/numbers.h"

namespace zor::edit {

// Names and text IDs compare as the compiler compares them.
inline std::string fold_name(std::string_view text) { return textscan::fold_case(text); }

// zor_atoi: the language's reading of an ID (decimal, or hexadecimal after
// 0x / x).
inline int32_t parse_int(std::string_view text) { return textscan::integer_value(text); }

using textscan::decimal_value;

// True when the whole text (blanks around allowed) is a decimal number.
bool is_decimal_number(std::string_view text);
// The language's reading of a Boolean value (T/t 1, F/f 0, else decimal).
inline int32_t parse_bool(std::string_view text) { return textscan::boolean_value(text); }

std::string trim_blanks(std::string_view text);
std::string decimal_text(int64_t value);

// Copies `text` into a caller buffer of `size` bytes. Returns false (buffer
// emptied when size > 0) when text and NUL do not fit.
bool copy_to_buffer(std::string_view text, char* buffer, int size);
// Error texts: cut at a Shift-JIS character boundary and marked with "...".
void copy_message(std::string_view text, char* buffer, int size);

}  // namespace zor::edit
