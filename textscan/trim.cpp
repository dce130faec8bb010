// Trimming, padding, copying and searching texts in place. Searches step over
// Shift-JIS characters so that a trail byte is never taken for an ASCII one.

#include <cstring>

#include "textscan/sjis.h"
#include "textscan/textscan.h"

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Pointer to the first byte equal to c outside Shift-JIS characters, or null.
char* find_byte(const char* text, char c) {
    const char* p = text;
    while (*p != 0) {
        if (*p == c) return const_cast<char*>(p);
        if (zor::textscan::starts_pair(p)) ++p;
        ++p;
    }
    return nullptr;
}

}  // namespace

extern "C" {

char* trim(char* text) {
    trim_leader(text);
    return trim_trail(text);
}

char* trim_leader(char* text) {
    if (text == nullptr) return text;
    size_t skip = 0;
    while (is_blank(text[skip])) ++skip;
    if (skip > 0) std::memmove(text, text + skip, std::strlen(text + skip) + 1);
    return text;
}

char* trim_trail(char* text) {
    if (text == nullptr) return text;
    size_t len = std::strlen(text);
    // The first character stays: a text of one blank remains one blank.
    while (len > 1 && is_blank(text[len - 1])) text[--len] = 0;
    return text;
}

char* remove_cr_lf(char* text) {
    if (text == nullptr) return text;
    const size_t len = std::strlen(text);
    auto is_eol = [](char c) { return c == '\r' || c == '\n'; };
    const bool before_last = len >= 2 && is_eol(text[len - 2]);
    if (len >= 1 && is_eol(text[len - 1])) text[len - 1] = 0;
    if (before_last) text[len - 2] = 0;
    return text;
}

void cut_space(char* text, int length) {
    if (text == nullptr) return;
    for (int i = 0; i < length && text[i] != 0; ++i) {
        if (text[i] == ' ') {
            text[i] = 0;
            return;
        }
    }
}

void space_pad(char* buffer, int length) {
    if (buffer == nullptr) return;
    for (int i = 0; i < length; ++i) {
        if (buffer[i] == 0) buffer[i] = ' ';
    }
}

void exp_str(char* text, int length) {
    if (text == nullptr) return;
    int len = static_cast<int>(std::strlen(text));
    while (len < length) text[len++] = ' ';
    text[len] = 0;
}

void name_cpy(char* dst, const char* src, int length) {
    if (dst == nullptr) return;
    int n = 0;
    // Whole characters only; a Shift-JIS character that does not fit becomes padding.
    for (const char* p = src; p != nullptr && *p != 0 && n < length;) {
        const int width = zor::textscan::starts_pair(p) ? 2 : 1;
        if (n + width > length) break;
        for (int i = 0; i < width; ++i) dst[n++] = *p++;
    }
    while (n < length) dst[n++] = ' ';
    dst[n < 0 ? 0 : n] = 0;
}

void strcpy_woff(char* dst, const char* src) {
    if (dst == nullptr || src == nullptr) return;
    std::memmove(dst, src, std::strlen(src) + 1);
    strip_double_quote(dst);
}

void strip_double_quote(char* text) {
    if (text == nullptr) return;
    const size_t len = std::strlen(text);
    if (len >= 2 && text[0] == '"' && text[len - 1] == '"') {
        std::memmove(text, text + 1, len - 2);
        text[len - 2] = 0;
    }
}

void double_quoted_str(char* text) {
    if (text == nullptr) return;
    strip_double_quote(text);
    const size_t len = std::strlen(text);
    std::memmove(text + 1, text, len);
    text[0] = '"';
    text[len + 1] = '"';
    text[len + 2] = 0;
}

void change_char(char* text, int from, int to) {
    if (text == nullptr) return;
    for (char* p = text; *p != 0; ++p) {
        if (static_cast<unsigned char>(*p) == static_cast<unsigned char>(from)) {
            *p = static_cast<char>(to);
        }
    }
}

char* ck_char(const char* text, int c) {
    if (text == nullptr) return nullptr;
    if (static_cast<char>(c) == 0) return const_cast<char*>(text + std::strlen(text));
    return find_byte(text, static_cast<char>(c));
}

char* scan_char(const char* text, int c) {
    if (text == nullptr || static_cast<char>(c) == 0) return nullptr;
    return find_byte(text, static_cast<char>(c));
}

int separate_str(char* text, char* left, char* right, int separator) {
    if (text == nullptr || left == nullptr || right == nullptr) return -1;
    strip_double_quote(text);
    const char* at = scan_char(text, separator);
    if (at == nullptr) return -1;
    const size_t left_len = static_cast<size_t>(at - text);
    std::memmove(left, text, left_len);
    left[left_len] = 0;
    std::memmove(right, at + 1, std::strlen(at + 1) + 1);
    return 0;
}

}  // extern "C"
