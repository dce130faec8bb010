#include "inspect/utf8_text.h"

#include "textscan/sjis.h"

namespace zor::inspect {

std::string Utf8Converter::operator()(std::string_view sjis) {
    // Plain ASCII, most of what an object file holds, needs no table.
    size_t ascii = 0;
    while (ascii < sjis.size() && static_cast<unsigned char>(sjis[ascii]) < 0x80) ++ascii;
    if (ascii == sjis.size()) return std::string(sjis);
    return decoder_.to_utf8(sjis, [](std::string_view text, size_t i) -> size_t {
        return textscan::char_width(text, i);
    });
}

}  // namespace zor::inspect
