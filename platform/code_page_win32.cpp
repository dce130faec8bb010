#include <windows.h>

#include "platform/code_page.h"

namespace zor::platform {
namespace {

constexpr UINT kCp932 = 932;

// Single bytes that Windows maps to private or control code points and the
// POSIX table refuses: both builds must write the same bytes.
bool unmapped_single(unsigned char c) { return c == 0x80 || c == 0xA0 || c >= 0xFD; }

// Converts between two code pages through UTF-16; false when any character
// of `in` has no mapping (nothing is appended then).
bool convert(UINT from, UINT to, std::string_view in, std::string& out) {
    if (in.empty()) return true;
    const int size = static_cast<int>(in.size());
    int n = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
    if (n <= 0) return false;
    std::wstring utf16(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in.data(), size, utf16.data(), n);
    BOOL defaulted = FALSE;
    BOOL* check = to == CP_UTF8 ? nullptr : &defaulted;  // UTF-8 takes no default character
    DWORD flags = to == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int m = WideCharToMultiByte(to, flags, utf16.data(), n, nullptr, 0, nullptr, check);
    if (m <= 0 || defaulted) return false;
    size_t at = out.size();
    out.resize(at + static_cast<size_t>(m));
    WideCharToMultiByte(to, flags, utf16.data(), n, out.data() + at, m, nullptr, nullptr);
    return true;
}

size_t sjis_width(std::string_view text) {
    return text.size() >= 2 && IsDBCSLeadByteEx(kCp932, static_cast<BYTE>(text[0])) ? 2 : 1;
}

size_t utf8_width(std::string_view text) {
    const auto c = static_cast<unsigned char>(text[0]);
    size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return n <= text.size() ? n : text.size();
}

// The whole text at once when it all converts, else character by character
// up to the first that does not: the POSIX side stops there too.
std::size_t convert_prefix(UINT from, UINT to, std::string_view in, std::string& out,
                           size_t (*width)(std::string_view), bool (*refused)(std::string_view)) {
    if (!refused(in) && convert(from, to, in, out)) return in.size();
    size_t done = 0;
    while (done < in.size()) {
        std::string_view rest = in.substr(done);
        std::string_view one = rest.substr(0, width(rest));
        if (refused(one) || !convert(from, to, one, out)) break;
        done += one.size();
    }
    return done;
}

bool refused_sjis(std::string_view text) {
    for (size_t i = 0; i < text.size(); i += sjis_width(text.substr(i)))
        if (unmapped_single(static_cast<unsigned char>(text[i]))) return true;
    return false;
}

bool refused_none(std::string_view) { return false; }

}  // namespace

// The code page's tables are built into Windows: nothing to open.
Cp932::Cp932() : to_utf8_(nullptr), from_utf8_(nullptr) {}
Cp932::~Cp932() = default;

std::size_t Cp932::to_utf8(std::string_view sjis, std::string& out) {
    return convert_prefix(kCp932, CP_UTF8, sjis, out, sjis_width, refused_sjis);
}

std::size_t Cp932::from_utf8(std::string_view utf8, std::string& out) {
    return convert_prefix(CP_UTF8, kCp932, utf8, out, utf8_width, refused_none);
}

}  // namespace zor::platform
