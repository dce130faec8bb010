#include <cstring>

#include "zoredit/records.h"
#include "zoredit/values.h"

namespace zor::edit {

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
    return true;
}

bool check_count(int32_t count, const void* array, const char* what, std::string& error) {
    if (count < 0 || static_cast<size_t>(count) > kMaxList) {
        error = std::string(what) + " count " + std::to_string(count) + " outside 0.." +
                std::to_string(kMaxList);
        return false;
    }
    if (count > 0 && !array) {
        error = std::string(what) + " array missing";
        return false;
    }
    return true;
}

}  // namespace zor::edit
