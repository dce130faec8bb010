#include "compiler/output/text_format.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace zor::compiler {

std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(nullptr, 0, fmt, args);
    va_end(args);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n));
        std::vsnprintf(out.data(), out.size() + 1, fmt, again);
    }
    va_end(again);
    return out;
}

void append_decimal(std::string& out, int32_t value) {
    char digits[16];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void append_hex8(std::string& out, uint32_t value, bool upper_case) {
    const char* digits = upper_case ? "0123456789ABCDEF" : "0123456789abcdef";
    for (int shift = 28; shift >= 0; shift -= 4) out += digits[(value >> shift) & 0xf];
}

}  // namespace zor::compiler
