#include "inspect/utf8_text.h"

#include "textscan/sjis.h"

namespace zor::inspect {

std::string Utf8Converter::operator()(std::string_view sjis) {
    // Plain ASCII, most of what an object file holds, needs no table.
    size_t ascii = 0;
    while (ascii < sjis.size() && static_cast<unsigned char>(sjis[ascii]) < 0x80) ++ascii;
    if (ascii == sjis.size()) return std::string(sjis);
    std::string out;
    out.reserve(sjis.size() * 3 / 2 + 4);
    while (!sjis.empty()) {
        sjis.remove_prefix(code_page_.to_utf8(sjis, out));
        if (sjis.empty()) break;
        // A byte (or a pair) the code page does not map.
        out += "\xEF\xBF\xBD";
        sjis.remove_prefix(textscan::char_width(sjis, 0));
    }
    return out;
}

}  // namespace zor::inspect
