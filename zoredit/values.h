#pragma once
// SECS-II item formats and value buffers: the format table, the conversion
// of a value text (as written in the source) into the binary buffer an editor
// shows, and back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zor::edit {

inline constexpr int kFormatList = 0;
inline constexpr int kFormatBoolean = 9;
inline constexpr int kFormatAscii = 16;
inline constexpr int kFormatJis = 17;
inline constexpr int kFormatF8 = 32;
inline constexpr int kFormatF4 = 36;
inline constexpr int kFormatListEnd = 61;
inline constexpr int kFormatInvalid = 255;
inline constexpr size_t kMaxDefinitions = 8192;
inline constexpr size_t kMaxList = 256;
inline constexpr size_t kMaxText = 4000;
inline constexpr int32_t kMaxValues = 4096;

struct FormatInfo {
    int code;
    std::string_view picker_name;  // what zor_get_item_name gives
    std::string_view source_name;  // what the compiler accepts
    int unit;                      // bytes per element
    bool is_signed;
};

const FormatInfo* find_format(int code);
// Picker symbols and source names alike, without regard to case; -1 unknown.
int format_code_of(std::string_view symbol);
// A format name as the compiler reads it in the source (source names and
// "Boolean", without regard to case, nothing trimmed); -1 unknown.
int source_format_code(std::string_view name);
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
// zor_set_vdval.
int set_value(void* dest, const void* value, int code, int capacity, int count);

}  // namespace zor::edit
