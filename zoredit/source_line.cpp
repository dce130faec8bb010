#include "zoredit/source_line.h"

#include <cstring>

#include "textscan/textscan.h"

namespace zor::edit {
namespace {

constexpr const char* kItemSeparators = " ,{}[]:\t";
constexpr const char* kHeaderSeparators = " ,={}():\t";
constexpr int kMaxFields = 16;
constexpr int kMaxFieldLength = 4096;
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

std::string join(std::string_view key, const std::vector<std::string>& fixed, const std::vector<std::string>& values,
                 const std::vector<std::string>& tail) {
    std::string line(key);
    line += " :";
    for (const auto& f : fixed) line += " " + f;
    for (const auto& v : values) line += " " + v;
    for (const auto& t : tail) line += " " + t;
    return line;
}

}  // namespace

std::vector<std::string> split_item_line(const std::string& line) { return split(line, kItemSeparators, true); }

std::optional<std::string> item_line(std::string_view key, const std::vector<std::string>& fixed,
                                     const std::vector<std::string>& texts, const std::vector<std::string>& tail) {
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
            std::vector<std::string> got = split(join(key, fixed, chosen, tail), kItemSeparators, true);
            if (got.size() > first_text + i && got[first_text + i] == texts[i] &&
                std::equal(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(first_text + i), expected.begin())) {
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    std::string line = join(key, fixed, chosen, tail);
    if (line.size() > kMaxLine || split(line, kItemSeparators, true) != expected) return std::nullopt;
    return line;
}

std::optional<std::string> header_line(std::string_view keyword, std::string_view name) {
    for (const auto& c : candidates(name)) {
        std::string line = std::string(keyword) + " " + c + " {";
        std::vector<std::string> got = split(line, kHeaderSeparators, false);
        if (line.size() <= kMaxLine && got.size() == 3 && got[0] == keyword && got[1] == name && got[2] == "{")
            return line;
    }
    return std::nullopt;
}

}  // namespace zor::edit
