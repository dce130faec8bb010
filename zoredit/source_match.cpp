#include "zoredit/source_match.h"

#include "zoredit/text_util.h"

namespace zor::edit {
namespace {

// The fields of an item line as views: into its reduced text (`reduced`,
// null when the line has none) where that tells them, else into `strings`
// from the compiler's splitter.
void fields_of(std::string_view line, const std::string* reduced, std::vector<std::string>& strings,
               std::vector<std::string_view>& views) {
    if (reduced && reduced_fields(*reduced, views)) return;
    item_fields(line, strings);
    views.assign(strings.begin(), strings.end());
}

// The key of a writer's line (lower case, first on the line).
std::string_view key_of(std::string_view bare_line) {
    size_t end = 0;
    while (end < bare_line.size() && bare_line[end] != ' ' && bare_line[end] != ':') ++end;
    return bare_line.substr(0, end);
}

// A line of the writer's without its indent and line end. A source line
// reduced to this text means the same as the writer's line: reducing is
// idempotent, and the writer's line reduces to what its text reduces to.
std::string_view bare(std::string_view written) {
    size_t from = 0, to = written.size();
    while (from < to && (written[from] == ' ' || written[from] == '\t')) ++from;
    if (to > from && written[to - 1] == '\n') --to;
    if (to > from && written[to - 1] == '\r') --to;
    return written.substr(from, to - from);
}

}  // namespace

// Is block `b` the definition? Quickly when its lines are the writer's
// own or its items those of the writer's lines in order, else item by
// item as the compiler would take them.
// `stream`: the number a spool is written with for the comparison; any
// with the definition's byte means the same.
template <class Def>
bool BlockMatcher::matches(ScannedBlock& block, const Def& def, Kind kind, int32_t stream) {
    int need = revision_needed(def);
    if (need != 0 && need != block.revision) return false;
    scratch_.clear();
    std::string error;
    if (!write_block(def, kind, stream, scratch_, error) || block.name != def.name) return false;
    if (same_text(block, scratch_)) {
        block.stream = stream;
        return true;
    }
    if (same_lines(block, kind)) return true;
    Canonical c;
    BlockItems items;
    return scan_items(source_, scan_, block, items) && canonical(def, kind, stream, c) &&
           same_items(kind, block.revision, items.meanings, c.meanings);
}

// The block's item lines against the writer's item lines in `scratch_`,
// pair by pair in order: the same when the reduced texts are, else the
// fields, else what the compiler takes from them. False when some pair
// differs or the counts do; the caller then compares the items in full.
bool BlockMatcher::same_lines(ScannedBlock& block, Kind kind) {
    auto& written = written_lines_;
    written.clear();
    for (size_t at = 0; at < scratch_.size();) {
        size_t end = scratch_.find('\n', at);
        if (end == std::string::npos) break;
        written.push_back(std::string_view(scratch_).substr(at, end + 1 - at));
        at = end + 1;
    }
    // Header, items, closing brace, blank line.
    if (written.size() < 3) return false;
    const size_t items = written.size() - 3;
    size_t k = 0;
    size_t stream_line = 0;
    for (size_t i = block.header + 1; i < block.close; ++i) {
        std::string_view text = line(i);
        if (k < items) {
            std::string_view expected = bare(written[k + 1]);
            if (!expected.empty() && reduces_to(text, expected)) {
                if (k == 0) stream_line = i;
                ++k;
                continue;
            }
        }
        bool reduced = reduced_item_line(text, reduced_);
        if (reduced && reduced_.empty()) continue;
        bool written_reduced = k < items && reduced_item_line(written[k + 1], reduced_written_);
        if (reduced && written_reduced && reduced_ == reduced_written_) {
            if (k == 0) stream_line = i;
            ++k;
            continue;
        }
        fields_of(text, reduced ? &reduced_ : nullptr, fields_, views_);
        if (views_.empty()) continue;
        if (k >= items) return false;
        fields_of(written[k + 1], written_reduced ? &reduced_written_ : nullptr, fields_written_,
                  views_written_);
        if (views_ != views_written_ &&
            (views_.size() <= 2 || views_[1].empty() || views_[1][0] != ':' ||
             !(item_meaning(views_) == item_meaning(views_written_))))
            return false;
        if (k == 0) stream_line = i;
        ++k;
    }
    if (k != items) return false;
    // The pairs mean the same; what remains is whether the compiler takes
    // the lines without a counted error, and a spool's stream as written.
    if (kind <= Kind::DV && !written_accepted(kind, block.revision, items)) return false;
    if (kind == Kind::SP) {
        item_fields(line(stream_line), fields_);
        if (fields_.size() <= 2) return false;
        block.stream = decimal_value(fields_[2]);
    }
    return true;
}

// Would the compiler take the writer's item lines of a variable (in
// `written_lines_`) without a counted error? Only the `format` lines
// tell, and with element names the `nominal` and `vid` lines. A format
// line's meaning is kept by its text: a source has few formats.
bool BlockMatcher::written_accepted(Kind kind, int revision, size_t items) {
    const auto& written = written_lines_;
    auto meaning = [&](size_t j) {
        const bool reduced = reduced_item_line(written[j], reduced_written_);
        fields_of(written[j], reduced ? &reduced_written_ : nullptr, fields_written_,
                  views_written_);
        return item_meaning(views_written_);
    };
    auto format = [&](size_t j, std::string_view text) -> const ItemMeaning& {
        auto known = format_meanings_.find(text);
        if (known == format_meanings_.end())
            known = format_meanings_.emplace(std::string(text), meaning(j)).first;
        return known->second;
    };
    bool names = false;
    meanings_.clear();
    for (size_t j = 1; j <= items; ++j) {
        std::string_view text = bare(written[j]), key = key_of(text);
        if (key == "format") meanings_.push_back(format(j, text));
        names = names || key == "vid";
    }
    if (names) {
        meanings_.clear();
        for (size_t j = 1; j <= items; ++j) {
            std::string_view text = bare(written[j]), key = key_of(text);
            if (key == "format")
                meanings_.push_back(format(j, text));
            else if (key == "nominal" || key == "vid")
                meanings_.push_back(meaning(j));
        }
    }
    return items_accepted(kind, revision, meanings_);
}

// The block's lines against the writer's (CR LF, a blank line after).
bool BlockMatcher::same_text(const ScannedBlock& b, std::string_view written) const {
    std::string_view lines = source_.substr(
        scan_.lines[b.header].first, scan_.lines[b.close].second - scan_.lines[b.header].first);
    size_t i = 0, j = 0;
    if (scan_.crlf) {
        if (written.size() < lines.size() || written.compare(0, lines.size(), lines) != 0)
            return false;
        i = j = lines.size();
    }
    while (i < lines.size() && j < written.size()) {
        if (written[j] == '\r' && j + 1 < written.size() && written[j + 1] == '\n') ++j;
        if (lines[i] != written[j]) return false;
        ++i;
        ++j;
    }
    // All of the block read; the writer's rest is line ends only.
    return i == lines.size() && written.find_first_not_of("\r\n", j) == std::string_view::npos;
}

#define ZOR_MATCHES(Def) \
    template bool BlockMatcher::matches(ScannedBlock&, const Def&, Kind, int32_t);
ZOR_MATCHES(Variable)
ZOR_MATCHES(Event)
ZOR_MATCHES(Report)
ZOR_MATCHES(Alarm)
ZOR_MATCHES(Spool)
ZOR_MATCHES(ProcessProgram)
ZOR_MATCHES(FormattedProgram)
ZOR_MATCHES(Recipe)
ZOR_MATCHES(Trace)
#undef ZOR_MATCHES

}  // namespace zor::edit
