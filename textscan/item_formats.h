#pragma once
// The SECS-II item formats of the definition language: their codes (the
// format byte shifted right by two), the names the source writes and the
// editor shows, and the bytes per element. One table for the compiler and
// zoredit.

#include <string_view>

namespace zor::textscan {

inline constexpr int kFormatList = 0;
inline constexpr int kFormatBoolean = 9;
inline constexpr int kFormatAscii = 16;
inline constexpr int kFormatJis = 17;
inline constexpr int kFormatF8 = 32;
inline constexpr int kFormatF4 = 36;
inline constexpr int kFormatListEnd = 61;  // list end marker, no SECS-II format
// What an item whose format could not be read carries in the object file.
inline constexpr int kFormatInvalid = 255;

struct ItemFormat {
    int code;
    std::string_view picker_name;  // the editor's symbol ("BOOL")
    std::string_view source_name;  // what the source writes ("BO")
    int unit;                      // bytes per element
    bool is_signed;
};

// The format of a code, or null.
const ItemFormat* find_format(int code);
// The code of a format name as the source writes it, "Boolean" included,
// without regard to case; -1 when unknown.
int source_format_code(std::string_view name);
// The same, accepting the editor's symbols as well.
int format_symbol_code(std::string_view symbol);

}  // namespace zor::textscan
