#include <cstring>
#include <string_view>

#include "zoredit/records.h"
#include "zoredit/values.h"

namespace zor::edit {
namespace {

bool is_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }

// Walks the text as the compiler's splitter takes it (a Shift-JIS character
// whole, an escape whole, "\x" with its two digits): an escape still open at
// the end would take the line end or the closing quote with it.
bool ends_inside_escape(std::string_view t) {
    for (size_t i = 0; i < t.size();) {
        auto c = static_cast<unsigned char>(t[i]);
        if (c == '\\') {
            size_t unit = (i + 1 < t.size() && t[i + 1] == 'x') ? 4 : 2;
            if (i + unit > t.size()) return true;
            i += unit;
        } else {
            i += is_lead(c) ? 2 : 1;
        }
    }
    return false;
}

}  // namespace

bool check_text(const char* text, const char* what, bool required, std::string& error) {
    if (!text) {
        if (required) error = std::string(what) + " missing";
        return !required;
    }
    size_t length = std::strlen(text);
    if (required && length == 0) {
        error = std::string(what) + " empty";
        return false;
    }
    if (length > kMaxText) {
        error = std::string(what) + " longer than " + std::to_string(kMaxText) + " bytes";
        return false;
    }
    if (std::strpbrk(text, "\r\n")) {
        error = std::string(what) + " holds a line break";
        return false;
    }
    if (ends_inside_escape({text, length})) {
        error = std::string(what) + " ends inside an escape (a lone \\ or \\x at its end)";
        return false;
    }
    return true;
}

bool check_count(int32_t count, const void* array, const char* what, std::string& error,
                 size_t max) {
    if (count < 0 || static_cast<size_t>(count) > max) {
        error = std::string(what) + " count " + std::to_string(count) + " outside 0.." +
                std::to_string(max);
        return false;
    }
    if (count > 0 && !array) {
        error = std::string(what) + " array missing";
        return false;
    }
    return true;
}

}  // namespace zor::edit
