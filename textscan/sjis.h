#pragma once
// How every walk over Shift-JIS text in the project pairs its bytes. A lead
// byte (0x81-0x9F, 0xE0-0xFC) and the byte after it form one character only
// when that byte can be a trail byte (0x40-0x7E, 0x80-0xFC). Before a line
// end, a NUL, another control byte, 0x7F, 0xFD-0xFF or the end of the text a
// lead byte is a byte of its own: a text never swallows its line end.

#include <cstddef>
#include <string_view>

namespace zor::textscan {

constexpr bool is_lead_byte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc);
}

constexpr bool is_trail_byte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7e) || (c >= 0x80 && c <= 0xfc);
}

// True when p[0] and p[1] of a NUL-terminated text form one character.
constexpr bool starts_pair(const char* p) {
    return is_lead_byte(static_cast<unsigned char>(p[0])) &&
           is_trail_byte(static_cast<unsigned char>(p[1]));
}

// 2 when text[i] and text[i + 1] form one character, else 1 (i < size).
constexpr size_t char_width(std::string_view text, size_t i) {
    return i + 1 < text.size() && is_lead_byte(static_cast<unsigned char>(text[i])) &&
                   is_trail_byte(static_cast<unsigned char>(text[i + 1]))
               ? 2
               : 1;
}

// True when the last byte of `text` is a lead byte without its trail byte:
// whatever follows the text would be read as that trail byte.
constexpr bool ends_with_lone_lead_byte(std::string_view text) {
    size_t i = 0;
    size_t last = 0;
    while (i < text.size()) {
        last = i;
        i += char_width(text, i);
    }
    return !text.empty() && last + 1 == text.size() &&
           is_lead_byte(static_cast<unsigned char>(text.back()));
}

}  // namespace zor::textscan
