#include "zoredit/text_util.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include "textscan/sjis.h"
#include "textscan/textscan.h"

namespace zor::edit {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_view(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string fold_name(std::string_view text) {
    std::string folded(text);
    upper_to_lower_str(folded.data());
    return folded;
}

int32_t parse_int(std::string_view text) {
    text = trim_view(text);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    } else if (!text.empty() && (text[0] == 'x' || text[0] == 'X')) {
        text.remove_prefix(1);
    } else {
        return decimal_value(text);
    }
    uint32_t value = 0;
    for (char c : text) {
        int d = hex_digit(c);
        if (d < 0) break;
        value = value * 16 + static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(value);
}

bool is_decimal_number(std::string_view text) {
    text = trim_view(text);
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

int32_t parse_bool(std::string_view text) {
    std::string_view t = trim_view(text);
    if (!t.empty() && (t[0] == 'T' || t[0] == 't')) return 1;
    if (!t.empty() && (t[0] == 'F' || t[0] == 'f')) return 0;
    return parse_int(t);
}

std::string trim_blanks(std::string_view text) { return std::string(trim_view(text)); }

std::string decimal_text(int64_t value) { return std::to_string(value); }

bool copy_to_buffer(std::string_view text, char* buffer, int size) {
    if (!buffer || size <= 0) return false;
    if (text.size() + 1 > static_cast<size_t>(size)) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return true;
}

void copy_message(std::string_view text, char* buffer, int size) {
    if (!buffer || size <= 0) return;
    if (text.size() + 1 <= static_cast<size_t>(size)) {
        copy_to_buffer(text, buffer, size);
        return;
    }
    size_t room = size > 4 ? static_cast<size_t>(size) - 4 : 0;
    size_t cut = 0;
    while (cut < text.size()) {
        size_t step = textscan::char_width(text, cut);
        if (cut + step > room) break;
        cut += step;
    }
    std::string shortened(text.substr(0, cut));
    if (size > 4) shortened += "...";
    copy_to_buffer(shortened.substr(0, static_cast<size_t>(size) - 1), buffer, size);
}

bool read_whole_file(const std::string& path, std::string& content, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    content = buffer.str();
    return true;
}

}  // namespace zor::edit
