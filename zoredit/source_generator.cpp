#include "zoredit/source_generator.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace zor::edit::test {
namespace {

std::string hex(int v) {
    char b[16];
    std::snprintf(b, sizeof b, "%X", v);
    return b;
}

}  // namespace

std::string SourceGenerator::source() {
    std::string s = "REV_NO = 2\r\n";
    int n = pick(1, 6);
    for (int i = 0; i < n; ++i) s += variable("def_ec", "ecid", i);
    for (int i = 0; i < n; ++i) s += variable("def_sv", "svid", i);
    for (int i = 0; i < n; ++i) s += variable("def_dv", "dvid", i);
    for (int i = 0; i < pick(0, 4); ++i) {
        s += "def_ce CE_" + std::to_string(i) + " {\r\n    ceid : " + id(i) + "\r\n";
        if (pick(0, 1)) s += "    enabled : " + text() + "\r\n";
        for (int k = pick(0, 3 + wide_); k > 0; --k)
            s += "    rptname : RP_" + std::to_string(pick(0, 4)) + "\r\n";
        s += "}\r\n";
    }
    for (int i = 0; i < pick(0, 4); ++i) {
        s += "def_report RP_" + std::to_string(i) + " {\r\n    rptid : " + id(i) + "\r\n";
        for (int k = pick(0, 3 + wide_); k > 0; --k)
            s += "    vname : SV_" + std::to_string(pick(0, 6)) + "\r\n";
        s += "}\r\n";
    }
    for (int i = 0; i < pick(0, 3); ++i) {
        s += "def_alarm AL_" + std::to_string(i) + " {\r\n    alid : " + id(i) + "\r\n";
        s += "    altx : " + text() + "\r\n    alcd : " + std::to_string(pick(0, 300)) + "\r\n";
        if (pick(0, 1)) s += "    ce_on : CE_" + std::to_string(pick(0, 4)) + "\r\n";
        if (pick(0, 1)) s += "    ce_off : " + text() + "\r\n";
        if (pick(0, 1)) s += "    enabled : " + text() + "\r\n";
        s += "}\r\n";
    }
    for (int i = 0; i < pick(0, 3); ++i) {
        s += "def_spool SPOOL_" + std::to_string(i) +
             " {\r\n    stream : " + std::to_string(i + 1 + 256 * pick(0, 1)) + "\r\n";
        for (int k = pick(0, 4); k > 0; --k)
            s += "    function : " + std::to_string(pick(0, 600)) + "\r\n";
        s += "}\r\n";
    }
    for (int i = 0; i < pick(0, 3); ++i)
        s += "def_pp PP_" + std::to_string(i) + " {\r\n    ppid : " + spec() + " PPID" +
             std::to_string(i) + "\r\n    ppbody : " + spec() + " " + text() + "\r\n}\r\n";
    for (int i = 0; i < pick(0, 3); ++i) {
        s += "def_fpp FPP_" + std::to_string(i) + " {\r\n    ppid : " + spec() + " F" +
             std::to_string(i) + "\r\n";
        s += "    mdln : " + text() + "\r\n    softrev : " + text() + "\r\n";
        for (int c = pick(0, 3 + wide_); c > 0; --c) {
            s += "    ccode : " + spec() + " " + text() + "\r\n";
            for (int p = pick(0, 3 + wide_); p > 0; --p)
                s += "    pparam : " + spec() + " " + text() + "\r\n";
        }
        s += "}\r\n";
    }
    for (int i = 0; i < pick(0, 3); ++i) {
        s +=
            "def_rcp RCP_" + std::to_string(i) + " {\r\n    rcpid : R" + std::to_string(i) + "\r\n";
        if (pick(0, 1)) s += "    rcpbody : " + text() + "\r\n";
        for (int p = pick(0, 3 + wide_); p > 0; --p) {
            s += "    rcpparname : " + text() + "\r\n";
            if (pick(0, 1)) s += "    rcpparval : " + spec() + " " + text() + "\r\n";
        }
        s += "}\r\n";
    }
    for (int i = 0; i < pick(0, 3); ++i) {
        s += "def_trace TR_" + std::to_string(i) + " {\r\n    trid : " + spec() + " T" +
             std::to_string(i) + "\r\n";
        s += "    dsper : " + text() + "\r\n    totsmp : " + std::to_string(pick(-3, 99)) +
             "\r\n    repgsz : " + std::to_string(pick(0, 9)) + "\r\n";
        for (int k = pick(0, 3 + wide_); k > 0; --k)
            s += "    svname : SV_" + std::to_string(pick(0, 7)) + "\r\n";
        s += "}\r\n";
    }
    return s;
}

int SourceGenerator::pick(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng_);
}

std::string SourceGenerator::id(int i) {
    int v = 1000 + i;
    return pick(0, 1) ? std::to_string(v) : "0x" + hex(v);
}
std::string SourceGenerator::format_name() {
    static const char* const names[] = {"L",  "B",  "BO", "Boolean", "A",  "J",  "I1", "I2", "I4",
                                        "I8", "U1", "U2", "U4",      "U8", "F4", "F8", "a",  "u4"};
    return names[pick(0, 17)];
}
std::string SourceGenerator::spec() {
    switch (pick(0, 4)) {
        case 4:
            return format_name() + "[" + std::to_string(pick(0, 9)) + ".." +
                   std::to_string(pick(0, 99)) + "]";
        case 0: return format_name() + "[" + std::to_string(pick(0, 40)) + "]";
        case 1: return "A[" + std::to_string(pick(0, 9)) + ".." + std::to_string(pick(0, 60)) + "]";
        case 2: return "Q[" + std::to_string(pick(1, 9)) + "]";
        default: return "J[" + std::to_string(pick(1, 9)) + "]";
    }
}
// A value as a source writer might write it: bare or quoted, with
// separators, comments, ranges, escapes and Shift-JIS inside quotes.
std::string SourceGenerator::text() {
    static const char* const pieces[] = {
        "a",  "Z9",  "_",     " ",    ",",        ":",        "[",    "]", "{", "}", "//",
        "..", "\\t", "\\x41", "\\\"", "\x95\x5c", "\x82\xa0", "\xb1", "-", "+", "="};
    int n = pick(0, 6);
    std::string inner;
    for (int i = 0; i < n; ++i) inner += pieces[pick(0, 20)];
    bool plain = !inner.empty();
    for (char c : inner)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) plain = false;
    return plain && pick(0, 1) ? inner : "\"" + inner + "\"";
}
std::string SourceGenerator::variable(const char* keyword, const char* key, int i) {
    std::string prefix = std::string(keyword).substr(4, 2);
    for (char& c : prefix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string s = std::string(keyword) + " " + prefix + "_" + std::to_string(i) + " {\r\n";
    s += "    " + std::string(key) + " : " + id(i) + "\r\n";
    bool list = pick(0, 4) == 0;
    if (list) {
        s += "    format : L\r\n";
        int count = pick(0, 3 + wide_);
        s += "    nominal : " + std::to_string(count) + "\r\n";
        for (int k = count - pick(0, 1); k > 0; --k)
            s += "    vid : " + prefix + "_" + std::to_string(pick(0, 8)) + "\r\n";
    } else {
        switch (pick(0, 3)) {
            case 0: s += "    format : " + format_name() + "\r\n"; break;
            case 1:
                s += "    format : " + format_name() + "[" + std::to_string(pick(0, 9)) + "]\r\n";
                break;
            case 2:
                s += "    format : A[" + std::to_string(pick(0, 9)) + ".." +
                     std::to_string(pick(0, 99)) + "]\r\n";
                break;
            default:
                s += "    format : U2[" + std::to_string(pick(0, 9)) + ".." +
                     std::to_string(pick(0, 99)) + "]\r\n";
                break;
        }
        if (pick(0, 1)) s += "    nominal : " + text() + "\r\n";
    }
    if (pick(0, 1)) s += "    units : " + text() + "\r\n";
    if (pick(0, 1)) s += "    min : " + text() + "\r\n";
    if (pick(0, 1)) s += "    max : " + text() + "\r\n";
    for (int k = pick(0, 3 + wide_); k > 0; --k)
        s += "    limit : " + text() + " " + text() + " " + text() + "\r\n";
    for (int k = pick(0, 2 + wide_); k > 0; --k)
        s += "    event : CE_" + std::to_string(pick(0, 5)) + "\r\n";
    return s + "}\r\n";
}

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
