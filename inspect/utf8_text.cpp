#include "inspect/utf8_text.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "textscan/sjis.h"

namespace zor::inspect {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

iconv_t handle(void* cd) { return static_cast<iconv_t>(cd); }

}  // namespace

Utf8Converter::Utf8Converter() {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("this system cannot convert code page 932 to UTF-8");
    cd_ = cd;
}

Utf8Converter::~Utf8Converter() { iconv_close(handle(cd_)); }

std::string Utf8Converter::operator()(std::string_view sjis) {
    std::string out;
    // Plain ASCII, most of what an object file holds, needs no table.
    size_t ascii = 0;
    while (ascii < sjis.size() && static_cast<unsigned char>(sjis[ascii]) < 0x80) ++ascii;
    if (ascii == sjis.size()) return std::string(sjis);

    out.reserve(sjis.size() * 3 / 2 + 4);
    iconv(handle(cd_), nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(sjis.data());
    size_t in_left = sjis.size();
    char buffer[256];
    while (in_left > 0) {
        char* to = buffer;
        size_t to_left = sizeof buffer;
        size_t r = iconv(handle(cd_), &in, &in_left, &to, &to_left);
        out.append(buffer, static_cast<size_t>(to - buffer));
        if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or EINVAL: a byte (or a pair) the code page does not map.
        size_t skip = textscan::char_width(std::string_view(in, in_left), 0);
        out += kReplacement;
        in += skip;
        in_left -= skip;
        iconv(handle(cd_), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace zor::inspect
