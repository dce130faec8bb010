#include "zoredit/source_generator.h"

#include <vector>

namespace zor::edit::test {

std::string hostile_layout(const std::string& source, unsigned seed) {
    std::mt19937 rng(seed * 7919u + 17u);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    static const char* const between[] = {
        "// comment between blocks",
        "/ a slash line is a comment too: def_ec X {",
        "   // indented comment",
        "//\x95\x5c\x8e\xa6 Shift-JIS with a 0x5C trail byte",
        "",
        "\t",
        "//==============================================",
    };
    std::vector<std::string> lines;
    for (size_t at = 0; at < source.size();) {
        size_t end = source.find("\r\n", at);
        if (end == std::string::npos) end = source.size();
        lines.push_back(source.substr(at, end - at));
        at = end + 2;
    }

    std::string out;
    auto put_between = [&] {
        for (int k = pick(0, 3); k > 0; --k) out += std::string(between[pick(0, 6)]) + "\r\n";
        if (pick(0, 12) == 0) out += "stray line without a brace\r\n  } skipped through here\r\n";
    };
    int lends = 0;
    bool in_block = false;
    bool id_held = false;
    std::string held;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (!in_block) {
            if (line.size() > 1 && line.back() == '{') {
                put_between();
                if (line.compare(0, 6, "def_ce") == 0 && pick(0, 3) == 0) {
                    ++lends;
                    out += "REV_NO = 1\r\ndef_dv DV_LEND_" + std::to_string(lends) +
                           " {\r\n    dvid : " + std::to_string(5000 + lends) +
                           "\r\n    format : lend\r\n}\r\nREV_NO = 2\r\n";
                }
                in_block = true;
                if (pick(0, 4) == 0)
                    for (size_t c = 0; c < 4; ++c)
                        line[c] =
                            static_cast<char>(std::toupper(static_cast<unsigned char>(line[c])));
                if (pick(0, 4) == 0) line.replace(line.find(' '), 1, " \t ");
                id_held = pick(0, 3) == 0;
            }
            out += line + "\r\n";
            continue;
        }
        if (line[0] == '}') {
            if (!held.empty()) out += held;
            held.clear();
            in_block = false;
            if (pick(0, 5) == 0) line += " // end of block";
            out += line + "\r\n";
            continue;
        }
        // An item line "    key : value".
        size_t colon = line.find(" : ");
        std::string key = line.substr(4, colon - 4), value = line.substr(colon + 3);
        static const char* const indents[] = {"    ", "\t", "  ", "        "};
        static const char* const colons[] = {" : ", ":", "    :  ", "\t: "};
        std::string item = std::string(indents[pick(0, 3)]) + key + colons[pick(0, 3)] + value;
        if (pick(0, 4) == 0) item += " // note on the item";
        if (pick(0, 8) == 0) out += "    // a comment line in the body\r\n";
        if (pick(0, 10) == 0) out += "\r\n";
        item += "\r\n";
        if (id_held && held.empty() &&
            (key == "ecid" || key == "svid" || key == "dvid" || key == "ceid" || key == "rptid" ||
             key == "alid")) {
            held = item;  // written after the next item line
            continue;
        }
        out += item;
        if (!held.empty()) {
            out += held;
            held.clear();
        }
    }
    put_between();
    if (pick(0, 2) == 0) {
        std::string lf;
        for (char c : out)
            if (c != '\r') lf += c;
        out = lf;
    }
    if (pick(0, 3) == 0)
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

}  // namespace zor::edit::test
