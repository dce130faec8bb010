#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "platform/code_page.h"

namespace zor::platform {
namespace {

iconv_t open(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("this system cannot convert between code page 932 and UTF-8");
    return cd;
}

std::size_t convert(void* handle, std::string_view in, std::string& out) {
    auto cd = static_cast<iconv_t>(handle);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* from = const_cast<char*>(in.data());
    std::size_t left = in.size();
    char buffer[256];
    while (left > 0) {
        char* to = buffer;
        std::size_t room = sizeof buffer;
        std::size_t r = iconv(cd, &from, &left, &to, &room);
        out.append(buffer, static_cast<std::size_t>(to - buffer));
        // EILSEQ or EINVAL: stop at the byte that cannot be converted.
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) break;
    }
    return in.size() - left;
}

}  // namespace

Cp932::Cp932() : to_utf8_(open("UTF-8", "CP932")), from_utf8_(nullptr) {
    try {
        from_utf8_ = open("CP932", "UTF-8");
    } catch (...) {
        iconv_close(static_cast<iconv_t>(to_utf8_));
        throw;
    }
}

Cp932::~Cp932() {
    iconv_close(static_cast<iconv_t>(to_utf8_));
    iconv_close(static_cast<iconv_t>(from_utf8_));
}

std::size_t Cp932::to_utf8(std::string_view sjis, std::string& out) {
    return convert(to_utf8_, sjis, out);
}

std::size_t Cp932::from_utf8(std::string_view utf8, std::string& out) {
    return convert(from_utf8_, utf8, out);
}

}  // namespace zor::platform
