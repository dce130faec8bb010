#pragma once
// SECS-II item formats and value buffers: the format table, the conversion
// of a value text (as written in the source) into the binary buffer an editor
// shows, and back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "textscan/item_formats.h"
#include "textscan/language_limits.h"
#include "zoredit/zoredit.h"

namespace zor::edit {

using textscan::kFormatAscii;
using textscan::kFormatBoolean;
using textscan::kFormatF4;
using textscan::kFormatF8;
using textscan::kFormatInvalid;
using textscan::kFormatJis;
using textscan::kFormatList;
using textscan::kFormatListEnd;
using textscan::kMaxDefinitions;
inline constexpr size_t kMaxList = textscan::kMaxListEntries;
inline constexpr size_t kMaxText = ZOR_MAX_TEXT;
inline constexpr int32_t kMaxValues = ZOR_MAX_VALUES;

using FormatInfo = textscan::ItemFormat;
using textscan::find_format;
// Picker symbols and source names alike, blanks around and case ignored;
// -1 unknown.
int format_code_of(std::string_view symbol);
bool is_text_format(int code);

// What an editor's value buffer stands for, for comparing a record with the
// held text: the bytes of element 0, or the text for A and J. Absent: nullopt
// (for A and J an absent value compares as the empty text).
using ValueKey = std::optional<std::string>;

ValueKey value_key_from_text(int code, const std::optional<std::string>& text);
ValueKey value_key_from_buffer(int code, const void* buffer);
// A new buffer (alloc_block) for a get: `size` elements (1..kMaxValues) of
// the text's value; null for an absent text.
void* value_buffer_from_text(int code, int32_t size, const std::optional<std::string>& text);
// Display text of element `index`, also the text written for a changed value.
std::string value_text(int code, const void* buffer, int index = 0);
// Can `text` be read as one value of format `code`, neither wrapped nor
// read as 0 for want of a number? Integers and B: a decimal (sign allowed)
// or hexadecimal (after 0x or x) number within the format's range; F4 and
// F8: a finite decimal number the format holds; BOOLEAN: T, F, TRUE, FALSE
// or a byte. Blanks around are ignored. Any text fits A and J, and the
// formats that hold no value (L, LEND, a format the compiler refused).
bool text_fits_format(int code, std::string_view text);
// zor_set_vdval.
int set_value(void* dest, const void* value, int code, int capacity, int count);

}  // namespace zor::edit
