#include "inspect/profile.h"

#include <string_view>
#include <unordered_set>

#include "platform/platform.h"
#include "textscan/fold_case.h"
#include "textscan/sjis.h"

namespace zor::inspect {
namespace {

struct KindWord {
    std::string_view word;  // as a profile names the kind, lower case
    Kind kind;
    std::string_view prefix;  // the editor's name prefix, lower case
};
constexpr KindWord kKindWords[] = {
    {"ec", Kind::EC, "ec_"},     {"sv", Kind::SV, "sv_"},   {"dvval", Kind::DV, "dv_"},
    {"dv", Kind::DV, "dv_"},     {"ce", Kind::CE, "ce_"},   {"rp", Kind::RP, "rp_"},
    {"report", Kind::RP, "rp_"}, {"al", Kind::AL, "al_"},   {"alarm", Kind::AL, "al_"},
    {"pp", Kind::PP, "pp_"},     {"fpp", Kind::FP, "fpp_"}, {"rcp", Kind::RC, "rcp_"},
    {"trace", Kind::TR, "tr_"},  {"tr", Kind::TR, "tr_"},
};

const KindWord* kind_word(std::string_view word) {
    std::string folded = textscan::fold_case(word);
    for (const auto& k : kKindWords)
        if (k.word == folded) return &k;
    return nullptr;
}

std::string_view prefix_of(Kind kind) {
    for (const auto& k : kKindWords)
        if (k.kind == kind) return k.prefix;
    return {};
}

std::string_view next_word(std::string_view& rest) {
    size_t start = rest.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    size_t end = rest.find_first_of(" \t\r", start);
    if (end == std::string_view::npos) end = rest.size();
    std::string_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
}

}  // namespace

std::string matching_name(Kind kind, const std::string& name) {
    std::string folded = textscan::fold_case(name);
    std::string_view prefix = prefix_of(kind);
    if (!prefix.empty() && folded.starts_with(prefix)) folded.erase(0, prefix.size());
    // '_' goes only as a character of its own: 0x5F is also a trail byte.
    std::string out;
    for (size_t i = 0; i < folded.size(); i += textscan::char_width(folded, i))
        if (folded[i] != '_') out.append(folded, i, textscan::char_width(folded, i));
    return out;
}

bool Profile::read(const std::string& path, std::string& error) {
    std::string content;
    if (!platform::read_whole_file(path, content, error)) return false;
    path_ = path;
    return parse(content, error);
}

bool Profile::parse(const std::string& text, std::string& error) {
    entries_.clear();
    int number = 0;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line = std::string_view(text).substr(start, end - start);
        start = end + 1;
        ++number;
        line = line.substr(0, line.find('#'));
        std::string_view kind = next_word(line);
        if (kind.empty()) continue;
        std::string_view name = next_word(line);
        const KindWord* k = kind_word(kind);
        std::string where =
            (path_.empty() ? std::string("profile") : path_) + ":" + std::to_string(number) + ": ";
        if (!k) {
            error = where + "unknown kind " + std::string(kind);
            return false;
        }
        if (name.empty() || !next_word(line).empty()) {
            error = where + "expected one name after " + std::string(kind);
            return false;
        }
        entries_.push_back({k->kind, std::string(name), number});
    }
    return true;
}

std::vector<ProfileEntry> Profile::missing(const Snapshot& s) const {
    std::unordered_set<std::string> present;
    auto add = [&](Kind kind, const std::string& name) {
        present.insert(std::string(1, static_cast<char>('A' + static_cast<int>(kind))) +
                       matching_name(kind, name));
    };
    s.each_definition(
        [&](Kind kind, const std::string&, const std::string& name) { add(kind, name); });
    std::vector<ProfileEntry> out;
    for (const auto& e : entries_)
        if (!present.count(std::string(1, static_cast<char>('A' + static_cast<int>(e.kind))) +
                           matching_name(e.kind, e.name)))
            out.push_back(e);
    return out;
}

}  // namespace zor::inspect
