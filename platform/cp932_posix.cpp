#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "platform/platform.h"

namespace zor::platform {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

iconv_t handle(void* cd) { return static_cast<iconv_t>(cd); }

}  // namespace

Cp932Decoder::Cp932Decoder() {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("this system cannot convert code page 932 to UTF-8");
    state_ = cd;
}

Cp932Decoder::~Cp932Decoder() { iconv_close(handle(state_)); }

std::string Cp932Decoder::to_utf8(std::string_view sjis,
                                  size_t (*width)(std::string_view, size_t)) {
    std::string out;
    out.reserve(sjis.size() * 3 / 2 + 4);
    iconv(handle(state_), nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(sjis.data());
    size_t in_left = sjis.size();
    char buffer[256];
    while (in_left > 0) {
        char* to = buffer;
        size_t to_left = sizeof buffer;
        size_t r = iconv(handle(state_), &in, &in_left, &to, &to_left);
        out.append(buffer, static_cast<size_t>(to - buffer));
        if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or EINVAL: a byte (or a pair) the code page does not map.
        size_t skip = width(std::string_view(in, in_left), 0);
        out += kReplacement;
        in += skip;
        in_left -= skip;
        iconv(handle(state_), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace zor::platform
