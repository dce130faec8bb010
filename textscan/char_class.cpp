// ASCII character classes and case conversion. A letter is a byte whose value
// with bit 0x20 cleared lies in 'A' to 'Z'; Shift-JIS characters are never
// changed, since their trail bytes may look like letters.

#include <cstddef>

#include "textscan/sjis.h"
#include "textscan/textscan.h"

namespace {

bool is_letter(int c) {
    const int folded = c & ~0x20;
    return folded >= 'A' && folded <= 'Z';
}

bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Applies convert to every single-byte character of src, writing to dst.
template <typename Convert>
void convert_text(char* dst, const char* src, Convert convert) {
    if (dst == nullptr || src == nullptr) return;
    size_t i = 0;
    while (src[i] != 0) {
        const unsigned char c = static_cast<unsigned char>(src[i]);
        if (zor::textscan::starts_pair(src + i)) {
            dst[i] = src[i];
            dst[i + 1] = src[i + 1];
            i += 2;
        } else {
            dst[i] = static_cast<char>(convert(c));
            ++i;
        }
    }
    dst[i] = 0;
}

}  // namespace

extern "C" {

int kanji_ck(int byte) {
    const int b = byte & 0xFF;
    return ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 1 : 0;
}

int a_ck(int c) { return is_letter(c) ? 0 : 1; }

int n_ck(int c) { return is_digit(c) ? 0 : 1; }

int an_ck(int c) { return (is_letter(c) || is_digit(c) || c == '_') ? 0 : 1; }

int an_at_ck(int c) { return (c == '@' || an_ck(c) == 0) ? 0 : 1; }

int x_ck(int c) {
    const int folded = c & ~0x20;
    return (is_digit(c) || (folded >= 'A' && folded <= 'F')) ? 0 : 1;
}

int ck_term(int c) { return (c == '\n' || c == '!' || c == -1) ? 0 : 1; }

int ck_special_ch(int c) { return c == '\\' ? 92 : (c & 0x1F); }

int lower_to_upper(int c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

int upper_to_lower(int c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

void lower_to_upper_str(char* text) { convert_text(text, text, lower_to_upper); }

void upper_to_lower_str(char* text) { convert_text(text, text, upper_to_lower); }

void to_upper(char* dst, const char* src) { convert_text(dst, src, lower_to_upper); }

void to_lower(char* dst, char* src) {
    // Callers rely on the source being lowered as well.
    upper_to_lower_str(src);
    convert_text(dst, src, upper_to_lower);
}

}  // extern "C"
