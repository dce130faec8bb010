#include "zoredit/values.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "zoredit/memory.h"
#include "zoredit/text_util.h"
#include "zoredit/zoredit.h"

namespace zor::edit {

// The C interface states the language's facts as macros; they must agree.
static_assert(ZOR_MAX_DEFS == kMaxDefinitions && ZOR_MAX_LIST == kMaxList);
static_assert(ZOR_FMT_L == kFormatList && ZOR_FMT_BOOLEAN == kFormatBoolean &&
              ZOR_FMT_A == kFormatAscii && ZOR_FMT_J == kFormatJis && ZOR_FMT_F8 == kFormatF8 &&
              ZOR_FMT_F4 == kFormatF4 && ZOR_FMT_LEND == kFormatListEnd);

namespace {

// One element's bytes from the 32-bit integer the editors pass around.
std::string element_from_int(int code, int32_t v) {
    const FormatInfo* f = find_format(code);
    std::string bytes(static_cast<size_t>(f->unit), '\0');
    switch (f->unit) {
        case 1: {
            auto b = static_cast<uint8_t>(v);
            std::memcpy(bytes.data(), &b, 1);
            break;
        }
        case 2: {
            auto s = static_cast<int16_t>(v);
            std::memcpy(bytes.data(), &s, 2);
            break;
        }
        case 4: std::memcpy(bytes.data(), &v, 4); break;
        default: {
            auto l = static_cast<int64_t>(v);
            std::memcpy(bytes.data(), &l, 8);
            break;
        }
    }
    return bytes;
}

float to_float(std::string_view text) {
    std::string t = trim_blanks(text);
    return std::strtof(t.c_str(), nullptr);
}
double to_double(std::string_view text) {
    std::string t = trim_blanks(text);
    return std::strtod(t.c_str(), nullptr);
}

template <class T>
std::string shortest(T value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string element_from_text(int code, std::string_view text) {
    if (code == kFormatF4) {
        float f = to_float(text);
        return std::string(reinterpret_cast<const char*>(&f), 4);
    }
    if (code == kFormatF8) {
        double d = to_double(text);
        return std::string(reinterpret_cast<const char*>(&d), 8);
    }
    if (code == kFormatBoolean) return element_from_int(code, parse_bool(text));
    return element_from_int(code, parse_int(text));
}

// An integer of the language (sign, then decimal digits or 0x / x and
// hexadecimal digits), the whole text; false when it is none or its size
// passes 64 bits.
bool whole_integer(std::string_view t, bool& negative, uint64_t& magnitude) {
    size_t i = 0;
    negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    int base = 10;
    if (t.size() - i >= 2 && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X'))
        i += 2, base = 16;
    else if (i < t.size() && (t[i] == 'x' || t[i] == 'X'))
        i += 1, base = 16;
    if (i == t.size()) return false;
    auto [end, ec] = std::from_chars(t.data() + i, t.data() + t.size(), magnitude, base);
    return ec == std::errc() && end == t.data() + t.size();
}

template <class T>
bool whole_float(std::string_view t) {
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    T v{};
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return ec == std::errc() && end == t.data() + t.size() && std::isfinite(v);
}

}  // namespace

bool text_fits_format(int code, std::string_view text) {
    const FormatInfo* f = find_format(code);
    if (!f || is_text_format(code) || code == kFormatList || code == kFormatListEnd) return true;
    const std::string t = trim_blanks(text);
    if (code == kFormatF4) return whole_float<float>(t);
    if (code == kFormatF8) return whole_float<double>(t);
    if (code == kFormatBoolean) {
        const std::string word = fold_name(t);
        if (word == "t" || word == "f" || word == "true" || word == "false") return true;
    }
    bool negative = false;
    uint64_t magnitude = 0;
    if (!whole_integer(t, negative, magnitude)) return false;
    const int bits = 8 * f->unit;
    if (!f->is_signed)
        return magnitude == 0 || (!negative && (bits == 64 || magnitude >> bits == 0));
    const uint64_t limit = uint64_t{1} << (bits - 1);  // the most negative value's size
    return negative ? magnitude <= limit : magnitude < limit;
}

int format_code_of(std::string_view symbol) {
    return textscan::format_symbol_code(trim_blanks(symbol));
}

bool is_text_format(int code) { return code == kFormatAscii || code == kFormatJis; }

ValueKey value_key_from_text(int code, const std::optional<std::string>& text) {
    if (is_text_format(code)) return text.value_or("");
    if (!text || !find_format(code)) return std::nullopt;
    return element_from_text(code, *text);
}

ValueKey value_key_from_buffer(int code, const void* buffer) {
    if (is_text_format(code))
        return buffer ? std::string(static_cast<const char*>(buffer)) : std::string();
    const FormatInfo* f = find_format(code);
    if (!buffer || !f) return std::nullopt;
    return std::string(static_cast<const char*>(buffer), static_cast<size_t>(f->unit));
}

void* value_buffer_from_text(int code, int32_t size, const std::optional<std::string>& text) {
    if (!text) return nullptr;
    if (is_text_format(code)) return dup_text(*text);
    const FormatInfo* f = find_format(code);
    if (!f) return nullptr;
    int32_t count = size < 1 ? 1 : size > kMaxValues ? kMaxValues : size;
    std::string element = element_from_text(code, *text);
    auto* buffer = static_cast<char*>(alloc_block(static_cast<size_t>(count) * element.size()));
    for (int32_t i = 0; i < count; ++i)
        std::memcpy(buffer + i * element.size(), element.data(), element.size());
    return buffer;
}

std::string value_text(int code, const void* buffer, int index) {
    if (!buffer) return "";
    if (is_text_format(code)) return static_cast<const char*>(buffer);
    const FormatInfo* f = find_format(code);
    if (!f || index < 0) return "";
    const char* p = static_cast<const char*>(buffer) +
                    static_cast<size_t>(index) * static_cast<size_t>(f->unit);
    if (code == kFormatF4) {
        float v;
        std::memcpy(&v, p, 4);
        return shortest(v);
    }
    if (code == kFormatF8) {
        double v;
        std::memcpy(&v, p, 8);
        return shortest(v);
    }
    switch (f->unit) {
        case 1: {
            uint8_t v;
            std::memcpy(&v, p, 1);
            return f->is_signed ? decimal_text(static_cast<int8_t>(v)) : decimal_text(v);
        }
        case 2: {
            uint16_t v;
            std::memcpy(&v, p, 2);
            return f->is_signed ? decimal_text(static_cast<int16_t>(v)) : decimal_text(v);
        }
        case 4: {
            uint32_t v;
            std::memcpy(&v, p, 4);
            return f->is_signed ? decimal_text(static_cast<int32_t>(v)) : decimal_text(v);
        }
        default: {
            uint64_t v;
            std::memcpy(&v, p, 8);
            return f->is_signed ? decimal_text(static_cast<int64_t>(v)) : std::to_string(v);
        }
    }
}

int set_value(void* dest, const void* value, int code, int capacity, int count) {
    if (!dest || !value || capacity < 0 || count < 0) return ZOR_E_FAIL;
    if (is_text_format(code)) {
        size_t length = std::strlen(static_cast<const char*>(value));
        size_t room = static_cast<size_t>(count < capacity ? count : capacity);
        if (length > room) {
            static_cast<char*>(dest)[0] = '\0';
            return ZOR_E_NOSPACE;
        }
        std::memcpy(dest, value, length + 1);
        return static_cast<int>(length + 1);
    }
    const FormatInfo* f = find_format(code);
    if (!f || count > capacity) return ZOR_E_FAIL;
    std::string element;
    if (code == kFormatF4)
        element.assign(static_cast<const char*>(value), 4);
    else if (code == kFormatF8)
        element.assign(static_cast<const char*>(value), 8);
    else {
        int32_t v;
        std::memcpy(&v, value, 4);
        element = element_from_int(code, v);
    }
    auto* out = static_cast<char*>(dest);
    for (int i = 0; i < count; ++i)
        std::memcpy(out + static_cast<size_t>(i) * element.size(), element.data(), element.size());
    return count * f->unit;
}

}  // namespace zor::edit
