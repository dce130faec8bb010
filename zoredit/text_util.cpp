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

}  // namespace

bool is_decimal_number(std::string_view text) {
    text = trim_view(text);
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
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

}  // namespace zor::edit
