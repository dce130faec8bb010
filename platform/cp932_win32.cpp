#include <windows.h>

#include "platform/platform.h"

namespace zor::platform {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Single bytes that Windows maps to private or control code points and the
// POSIX table refuses: both builds must write the same bytes.
bool unmapped_single(unsigned char c) { return c == 0x80 || c == 0xA0 || c >= 0xFD; }

// Converts one run of text; false when some character of it has no mapping.
bool convert(std::string_view sjis, std::string& out) {
    for (char c : sjis)
        if (unmapped_single(static_cast<unsigned char>(c))) return false;
    const int size = static_cast<int>(sjis.size());
    int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, sjis.data(), size, nullptr, 0);
    if (n <= 0) return false;
    std::wstring utf16(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, sjis.data(), size, utf16.data(), n);
    int m = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, nullptr, 0, nullptr, nullptr);
    size_t at = out.size();
    out.resize(at + static_cast<size_t>(m));
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, out.data() + at, m, nullptr, nullptr);
    return true;
}

}  // namespace

// The code page's table is built into Windows: nothing to open.
Cp932Decoder::Cp932Decoder() = default;
Cp932Decoder::~Cp932Decoder() = default;

std::string Cp932Decoder::to_utf8(std::string_view sjis,
                                  size_t (*width)(std::string_view, size_t)) {
    std::string out;
    out.reserve(sjis.size() * 3 / 2 + 4);
    if (convert(sjis, out)) return out;
    // Something does not map: character by character, as the POSIX side does.
    out.clear();
    for (size_t i = 0; i < sjis.size();) {
        size_t w = width(sjis, i);
        if (!convert(sjis.substr(i, w), out)) out += kReplacement;
        i += w;
    }
    return out;
}

}  // namespace zor::platform
