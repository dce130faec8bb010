#include "inspect/source_index.h"

#include <string_view>

#include "platform/platform.h"
#include "textscan/field_split.h"
#include "textscan/fold_case.h"
#include "textscan/textscan.h"

namespace zor::inspect {
namespace {

// The separators and field limits the compiler splits with.
constexpr const char* kHeaderSeparators = " ,={}():\t";
constexpr const char* kItemSeparators = " ,{}[]:\t";
constexpr int kMaxFields = 16;
constexpr int kMaxFieldLength = 4096;

struct Keyword {
    std::string_view word;
    Kind kind;
};
constexpr Keyword kKeywords[] = {
    {"def_ec", Kind::EC},    {"def_sv", Kind::SV},     {"def_dv", Kind::DV},
    {"def_ce", Kind::CE},    {"def_report", Kind::RP}, {"def_alarm", Kind::AL},
    {"def_pp", Kind::PP},    {"def_fpp", Kind::FP},    {"def_rcp", Kind::RC},
    {"def_spool", Kind::SP}, {"def_trace", Kind::TR},
};

const Keyword* keyword_of(const std::string& word) {
    std::string folded = textscan::fold_case(word);
    for (const auto& k : kKeywords)
        if (k.word == folded) return &k;
    return nullptr;
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    return line;
}

}  // namespace

bool SourceIndex::read(const std::string& path, std::string& error) {
    std::string content;
    if (!platform::read_whole_file(path, content, error)) return false;
    path_ = path;
    scan(content);
    return true;
}

void SourceIndex::scan(const std::string& text) {
    blocks_.clear();
    std::vector<std::string> fields;
    SourceBlock* open = nullptr;
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line(trimmed(std::string_view(text).substr(start, end - start)));
        start = end + 1;
        ++number;
        if (line.empty() || line[0] == '/') continue;
        if (open) {
            if (line[0] == '}') {
                open = nullptr;
                continue;
            }
            textscan::split_fields(0, line.c_str(), fields, kItemSeparators, kMaxFields,
                                   kMaxFieldLength);
            // A spool is found by its stream, the last one given, as the
            // compiler keeps its low eight bits.
            if (open->kind == Kind::SP && fields.size() >= 3 && fields[1][0] == ':' &&
                textscan::fold_case(fields[0]) == "stream")
                open->stream = s_atoi(fields[2].c_str()) & 0xff;
            continue;
        }
        textscan::split_fields(0, line.c_str(), fields, kHeaderSeparators, kMaxFields,
                               kMaxFieldLength);
        if (fields.size() != 3 || fields[2][0] != '{') continue;
        const Keyword* k = keyword_of(fields[0]);
        if (!k) continue;
        blocks_.push_back({k->kind, fields[1], number, -1});
        open = &blocks_.back();
    }
    by_name_.clear();
    by_folded_name_.clear();
    for (size_t i = 0; i < blocks_.size(); ++i) {
        by_name_.emplace(key_of(blocks_[i].kind, blocks_[i].name), i);
        by_folded_name_.emplace(key_of(blocks_[i].kind, textscan::fold_case(blocks_[i].name)), i);
    }
}

std::string SourceIndex::key_of(Kind kind, const std::string& name) {
    return std::string(1, static_cast<char>('A' + static_cast<int>(kind))) + name;
}

const SourceBlock* SourceIndex::find(Kind kind, const std::string& name) const {
    auto exact = by_name_.find(key_of(kind, name));
    if (exact != by_name_.end()) return &blocks_[exact->second];
    auto folded = by_folded_name_.find(key_of(kind, textscan::fold_case(name)));
    return folded != by_folded_name_.end() ? &blocks_[folded->second] : nullptr;
}

const SourceBlock* SourceIndex::find_spool(int stream) const {
    for (const auto& b : blocks_)
        if (b.kind == Kind::SP && b.stream == stream) return &b;
    return nullptr;
}

}  // namespace zor::inspect
