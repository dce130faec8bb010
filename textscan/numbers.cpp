// Number conversion: decimal, hexadecimal, boolean, 64-bit hexadecimal
// buffers and SECS-II stream/function names. Overflow wraps at 32 bits.

#include "textscan/numbers.h"

#include <cstring>

#include "textscan/textscan.h"

namespace {

// Value of up to n leading characters, stopping at the end of the text.
int leading_value(const char* text, int n, int base) {
    if (text == nullptr) return 0;
    unsigned value = 0;
    for (int i = 0; i < n && text[i] != 0; ++i) {
        const int digit = base == 16 ? atx(static_cast<unsigned char>(text[i])) : text[i] - '0';
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    return static_cast<int>(value);
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

int hex_digit(char c) {
    return x_ck(static_cast<unsigned char>(c)) == 0 ? atx(static_cast<unsigned char>(c)) : -1;
}

bool read_bounded(const char*& p, int limit, int& out) {
    if (*p < '0' || *p > '9') return false;
    int value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p++ - '0');
        if (value > limit) return false;
    }
    out = value;
    return true;
}

}  // namespace

namespace zor::textscan {

int32_t decimal_value(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + static_cast<uint32_t>(text[i] - '0');
    return static_cast<int32_t>(negative ? 0u - value : value);
}

int32_t integer_value(std::string_view text) {
    text = trimmed(text);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    } else if (!text.empty() && (text[0] == 'x' || text[0] == 'X')) {
        text.remove_prefix(1);
    } else {
        return decimal_value(text);
    }
    uint32_t value = 0;
    for (char c : text) {
        const int digit = hex_digit(c);
        if (digit < 0) break;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(value);
}

int32_t boolean_value(std::string_view text) {
    if (!text.empty() && (text[0] == 'T' || text[0] == 't')) return 1;
    if (!text.empty() && (text[0] == 'F' || text[0] == 'f')) return 0;
    return decimal_value(text);
}

}  // namespace zor::textscan

extern "C" {

int atx(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    return (c & ~0x20) - 55;
}

int a2toi(const char* text) { return leading_value(text, 2, 10); }

int a3toi(const char* text) { return leading_value(text, 3, 10); }

int x2toi(const char* text) { return leading_value(text, 2, 16); }

int s_atoi(const char* text) { return text == nullptr ? 0 : zor::textscan::integer_value(text); }

int API_atoi(const char* text) { return s_atoi(text); }

int s_atox(char* text) {
    if (text == nullptr || *text == 0) return 0;
    lower_to_upper_str(text);
    unsigned value = 0;
    for (const char* p = text; x_ck(static_cast<unsigned char>(*p)) == 0; ++p) {
        value = (value << 4) | static_cast<unsigned>(atx(static_cast<unsigned char>(*p)));
    }
    return static_cast<int>(value);
}

int s_atobool(const char* text) { return text == nullptr ? 0 : zor::textscan::boolean_value(text); }

void s_a8toi(unsigned char* buffer8, const char* text) {
    if (buffer8 == nullptr) return;
    std::memset(buffer8, 0, 8);
    for (const char* p = text; p != nullptr && *p != 0; ++p) {
        s_shift_r_4(buffer8, 8);
        buffer8[7] |= static_cast<unsigned char>(atx(static_cast<unsigned char>(*p)) & 0x0F);
    }
}

void s_shift_r_4(unsigned char* buffer, int length) {
    if (buffer == nullptr || length <= 0) return;
    for (int i = 0; i < length - 1; ++i) {
        buffer[i] = static_cast<unsigned char>((buffer[i] << 4) | (buffer[i + 1] >> 4));
    }
    buffer[length - 1] = static_cast<unsigned char>(buffer[length - 1] << 4);
}

void change_byte_order(void* dst, const void* src, int length) {
    if (dst == nullptr || src == nullptr || length <= 0) return;
    if (length > 16) length = 16;
    unsigned char copy[16];
    std::memcpy(copy, src, static_cast<size_t>(length));
    auto* out = static_cast<unsigned char*>(dst);
    for (int i = 0; i < length; ++i) out[i] = copy[length - 1 - i];
}

void API_memcpy(void* dst, const void* src, int count) {
    if (dst == nullptr || src == nullptr || count <= 0) return;
    std::memmove(dst, src, static_cast<size_t>(count));
}

int get_sxfy_from_str(const char* text, int* stream, int* function) {
    if (text == nullptr || std::strlen(text) >= 33) return -1;
    char copy[33];
    std::strcpy(copy, text);
    trim(copy);
    strip_double_quote(copy);
    lower_to_upper_str(copy);
    const char* p = copy;
    int s = 0;
    int f = 0;
    if (*p++ != 'S' || !read_bounded(p, 127, s)) return -1;
    if (*p++ != 'F' || !read_bounded(p, 255, f) || *p != 0) return -1;
    if (stream != nullptr) *stream = s;
    if (function != nullptr) *function = f;
    return s * 256 + f;
}

}  // extern "C"
