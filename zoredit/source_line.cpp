#include "zoredit/source_line.h"

#include <cstdint>
#include <cstring>

#include "textscan/language_limits.h"
#include "textscan/sjis.h"
#include "textscan/textscan.h"

namespace zor::edit {
namespace {

// A source line is read in pieces of 4095 bytes; stay well inside one.
constexpr size_t kMaxLine = 4090;

std::vector<std::string> split(const std::string& line, const char* separators, bool strip_again) {
    char* items[kMaxFields] = {};
    int count = get_field_item(line.c_str(), items, separators, kMaxFields, kMaxFieldLength);
    std::vector<std::string> fields;
    for (int i = 0; i < count; ++i) {
        std::string f = items[i] ? items[i] : "";
        if (strip_again) {
            strip_double_quote(f.data());
            f.resize(std::strlen(f.c_str()));
        }
        fields.push_back(std::move(f));
    }
    free_item_mem(items, count);
    return fields;
}

// The written forms tried for a text, plainest first; the splitter decides
// which one survives.
std::vector<std::string> candidates(std::string_view text) {
    std::string t(text);
    return {t, "\"" + t + "\"", "\"\"" + t + "\"\""};
}

std::string join(std::string_view key, const std::vector<std::string>& fixed,
                 const std::vector<std::string>& values, const std::vector<std::string>& tail) {
    std::string line(key);
    line += " :";
    for (const auto& f : fixed) line += " " + f;
    for (const auto& v : values) line += " " + v;
    for (const auto& t : tail) line += " " + t;
    return line;
}

using textscan::char_width;
using textscan::is_lead_byte;

// Texts the splitter is known to give back bare: no separator, quote,
// backslash, "//" or "..", no sign or bracket in front, Shift-JIS pairs
// whole. Anything else is decided by the splitter itself. One table look-up
// per byte: this runs over every text of a large equipment.
enum : uint8_t { kStop = 1, kLead = 2, kNotTwice = 4 };

struct ByteClasses {
    uint8_t cls[256] = {};
    explicit ByteClasses(std::string_view separators) {
        for (int c = 0; c < 256; ++c)
            if (is_lead_byte(static_cast<unsigned char>(c))) cls[c] = kLead;
        for (char c : separators) cls[static_cast<unsigned char>(c)] = kStop;
        for (unsigned char c : {'"', '\\', '\r', '\n', '\0'}) cls[c] = kStop;
        cls[static_cast<unsigned char>('.')] = kNotTwice;
        cls[static_cast<unsigned char>('/')] = kNotTwice;
    }
};

bool plain_is_safe(std::string_view t, std::string_view separators) {
    static const ByteClasses item(kItemSeparators);
    static const ByteClasses header(kHeaderSeparators);
    const uint8_t* cls = separators == kItemSeparators ? item.cls : header.cls;
    if (t.empty() || t[0] == '+' || t[0] == '(' || t[0] == '/') return false;
    for (size_t i = 0; i < t.size(); ++i) {
        uint8_t f = cls[static_cast<unsigned char>(t[i])];
        if (f == 0) continue;
        if (f & kLead) {
            // A lead byte without its trail byte is an ordinary byte.
            i += char_width(t, i) - 1;
            continue;
        }
        if (f & kStop) return false;
        if (i + 1 < t.size() && t[i + 1] == t[i]) return false;
    }
    return true;
}

// Texts that come back whole from between two quotes: scanned as the
// splitter scans inside quotes (Shift-JIS pairs and escapes taken whole), the
// scan must end exactly at the closing quote without meeting a bare quote.
bool quoted_is_safe(std::string_view t) {
    size_t i = 0;
    while (i < t.size()) {
        auto c = static_cast<unsigned char>(t[i]);
        if (c == '\r' || c == '\n' || c == '\0') return false;
        if (char_width(t, i) == 2) {
            i += 2;
        } else if (c == '\\') {
            i += (i + 1 < t.size() && t[i + 1] == 'x') ? 4 : 2;
        } else if (c == '"') {
            return false;
        } else {
            ++i;
        }
    }
    if (i != t.size()) return false;
    // Quotes at both ends would be stripped a second time.
    return !(t.size() >= 2 && t.front() == '"' && t.back() == '"');
}

}  // namespace

bool append_quick_form(std::string& out, std::string_view t) {
    if (plain_is_safe(t, kItemSeparators)) {
        out += t;
    } else if (quoted_is_safe(t)) {
        out += '"';
        out += t;
        out += '"';
    } else {
        return false;
    }
    return true;
}

namespace {

std::optional<std::string> fast_form(std::string_view t, std::string_view separators) {
    if (plain_is_safe(t, separators)) return std::string(t);
    if (quoted_is_safe(t)) return "\"" + std::string(t) + "\"";
    return std::nullopt;
}

}  // namespace

std::vector<std::string> split_item_line(const std::string& line) {
    return split(line, kItemSeparators, true);
}

std::optional<std::string> item_line(std::string_view key, const std::vector<std::string>& fixed,
                                     const std::vector<std::string>& texts,
                                     const std::vector<std::string>& tail) {
    std::vector<std::string> fast;
    for (const auto& t : texts) {
        auto form = fast_form(t, kItemSeparators);
        if (!form) break;
        fast.push_back(std::move(*form));
    }
    if (fast.size() == texts.size()) {
        std::string line = join(key, fixed, fast, tail);
        if (line.size() > kMaxLine) return std::nullopt;
        return line;
    }

    std::vector<std::string> expected{std::string(key), ":"};
    // Fixed parts may hold several fields ("U4[2]"): the splitter tells.
    for (const auto& f : fixed)
        for (auto& part : split(f, kItemSeparators, true)) expected.push_back(part);
    size_t first_text = expected.size();
    for (const auto& t : texts) expected.push_back(t);
    for (const auto& f : tail)
        for (auto& part : split(f, kItemSeparators, true)) expected.push_back(part);

    std::vector<std::string> chosen;
    for (const auto& t : texts) chosen.push_back(candidates(t)[0]);
    for (size_t i = 0; i < texts.size(); ++i) {
        bool found = false;
        for (const auto& c : candidates(texts[i])) {
            chosen[i] = c;
            std::vector<std::string> got =
                split(join(key, fixed, chosen, tail), kItemSeparators, true);
            if (got.size() > first_text + i && got[first_text + i] == texts[i] &&
                std::equal(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(first_text + i),
                           expected.begin())) {
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    std::string line = join(key, fixed, chosen, tail);
    if (line.size() > kMaxLine || split(line, kItemSeparators, true) != expected)
        return std::nullopt;
    return line;
}

bool append_header_line(std::string& out, std::string_view keyword, std::string_view name) {
    if (name.size() < 3000 && plain_is_safe(name, kHeaderSeparators)) {
        ((out += keyword) += ' ') += name;
        out += " {";
        return true;
    }
    auto line = header_line(keyword, name);
    if (!line) return false;
    out += *line;
    return true;
}

std::optional<std::string> header_line(std::string_view keyword, std::string_view name) {
    if (auto form = fast_form(name, kHeaderSeparators)) {
        std::string line = std::string(keyword) + " " + *form + " {";
        if (line.size() > kMaxLine) return std::nullopt;
        return line;
    }
    for (const auto& c : candidates(name)) {
        std::string line = std::string(keyword) + " " + c + " {";
        std::vector<std::string> got = split(line, kHeaderSeparators, false);
        if (line.size() <= kMaxLine && got.size() == 3 && got[0] == keyword && got[1] == name &&
            got[2] == "{")
            return line;
    }
    return std::nullopt;
}

}  // namespace zor::edit
