#include "zoredit/source_edit.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <future>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <thread>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "textscan/sjis.h"
#include "zoredit/source_match.h"
#include "zoredit/source_scan.h"
#include "zoredit/source_writer.h"
#include "zoredit/text_util.h"

namespace zor::edit {
namespace {

bool is_blank(std::string_view line) {
    return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

bool is_word_byte(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Does `name` stand in `line` as a word (letter case folded, Shift-JIS
// characters walked whole)?
bool names_word(std::string_view line, std::string_view name) {
    if (name.empty()) return false;
    const std::string folded = fold_name(name);
    bool after_word = false;
    for (size_t p = 0; p < line.size();) {
        const size_t width = textscan::char_width(line, p);
        if (!after_word && line.size() - p >= folded.size() &&
            fold_name(line.substr(p, folded.size())) == folded) {
            const size_t end = p + folded.size();
            if (end == line.size() || !is_word_byte(line[end])) return true;
        }
        after_word = width == 1 && is_word_byte(line[p]);
        p += width;
    }
    return false;
}

// Each kind's saved definitions, by origin, in the order of Kind.
auto saved_of(const Store& store) {
    return std::apply([&](const auto&... k) { return std::tuple{(store.*(k.first)).saved()...}; },
                      kKindTables);
}
using SavedDefinitions = decltype(saved_of(std::declval<const Store&>()));

class Editor {
  public:
    Editor(std::string_view source, ScannedSource& scan, const Store& store)
        : source_(source),
          scan_(scan),
          store_(store),
          saved_(saved_of(store)),
          eol_(scan.crlf ? "\r\n" : "\n"),
          dropped_(scan.lines.size(), false),
          by_kind_(kKindCount) {
        for (size_t b = 0; b < scan.blocks.size(); ++b)
            by_kind_[static_cast<size_t>(scan.blocks[b].kind)].push_back(b);
    }

    // Is every block the loaded definition it stands for, the i-th block of
    // a kind the i-th saved definition of the kind? A large source is
    // compared on two threads, each taking a share of every kind.
    bool verify() {
        if (!counts_match()) return false;
        // The number the whole source writer gives each spool, which its
        // block most likely carries: it depends on the spools before it.
        std::vector<int32_t> streams;
        std::map<int32_t, int> laps;
        for (const Spool* p : std::get<static_cast<size_t>(Kind::SP)>(saved_))
            streams.push_back(p ? written_stream(p->stream, laps[p->stream]++) : 0);

        std::atomic<bool> differs{false};
        auto share = [&](size_t part, size_t parts) {
            BlockMatcher matcher(source_, scan_);
            each_kind([&](Kind kind, const auto&, const auto& defs) {
                compare_share(matcher, kind, defs, streams, part, parts, differs);
                return true;
            });
        };
        if (scan_.blocks.size() < kBlocksForTwoThreads || std::thread::hardware_concurrency() < 2) {
            share(0, 1);
            return !differs;
        }
        std::future<void> other;
        try {
            other = std::async(std::launch::async, share, 1, 2);
        } catch (const std::system_error&) {
            share(1, 2);  // no thread to be had: in turn
        }
        share(0, 2);
        if (other.valid()) other.get();
        return !differs;
    }

    // Do each kind's blocks line up with its saved definitions, by count,
    // name and the revision each needs? As far as a source a save wrote for
    // them is checked before it is edited. Reads a spool block's stream as
    // written, as the comparison does.
    bool aligned() {
        BlockItems items;
        return counts_match() && each_kind([&](Kind kind, const auto&, const auto& defs) {
                   return line_up(kind, defs, items);
               });
    }

    // Plans the edits of every kind, the blocks verified or aligned; false
    // when an edit cannot be made and checked.
    bool plan() {
        return each_kind([&](Kind kind, const auto& table, const auto& defs) {
            return plan(kind, table, defs);
        });
    }

    // Plans the edits of one kind.
    template <class Def>
    bool plan(Kind kind, const Table<Def>& table, const std::vector<const Def*>& saved) {
        const auto& blocks = by_kind_[static_cast<size_t>(kind)];
        if (saved.size() != blocks.size()) return false;
        // A stream is taken by the blocks that stay; a dropped block's
        // number is free for a new setting of the stream.
        if constexpr (std::is_same_v<Def, Spool>)
            for (const auto& e : table.entries())
                if (e.origin < blocks.size() && !e.deleted)
                    streams_.insert(scan_.blocks[blocks[e.origin]].stream);

        std::vector<bool> seen(saved.size(), false);
        size_t last_origin = 0;
        bool new_seen = false;
        std::string added;
        std::optional<Anchor> at;  // found when there is something to add
        for (const auto& e : table.entries()) {
            if (e.origin == kNoOrigin) {
                if (e.deleted) continue;  // never saved
                new_seen = true;
                if (!at) at = anchor(kind);
                int32_t stream = 0;
                if constexpr (std::is_same_v<Def, Spool>) stream = fresh_stream(e.def.stream);
                if (!new_block(e.def, kind, stream, at->revision, added)) return false;
                continue;
            }
            // Saved definitions keep their order and come before new ones.
            if (new_seen || e.origin >= saved.size() || (last_origin > 0 && e.origin < last_origin))
                return false;
            last_origin = e.origin + 1;
            seen[e.origin] = true;
            size_t b = blocks[e.origin];
            if (e.deleted) {
                drop(scan_.blocks[b]);
            } else if (e.saved && !(e.def == *e.saved)) {
                if (!rewrite(b, e.def, kind)) return false;
            }
        }
        for (size_t i = 0; i < saved.size(); ++i)
            if (!seen[i]) drop(scan_.blocks[blocks[i]]);
        if (at && !added.empty()) inserted_[at->line] += added;
        return true;
    }

    std::string result() const {
        std::string out;
        out.reserve(source_.size() + 4096);
        auto inserted = inserted_.begin();
        auto replaced = replaced_.begin();
        const size_t n = scan_.lines.size();
        auto offset = [&](size_t line) {
            return line < n ? scan_.lines[line].first : source_.size();
        };
        for (size_t i = 0; i <= n;) {
            if (inserted != inserted_.end() && inserted->first == i) {
                if (!out.empty() && out.back() != '\n') out += eol_;
                out += inserted->second;
                ++inserted;
            }
            if (i == n) break;
            if (replaced != replaced_.end() && replaced->first == i) {
                out += replaced->second;
                ++replaced;
            }
            if (dropped_[i]) {
                ++i;
                continue;
            }
            // Kept lines up to the next edit go in one piece.
            size_t next = n;
            if (inserted != inserted_.end()) next = std::min(next, inserted->first);
            if (replaced != replaced_.end()) next = std::min(next, replaced->first);
            size_t end = i + 1;
            while (end < next && !dropped_[end]) ++end;
            out.append(source_, offset(i), offset(end) - offset(i));
            i = end;
        }
        return out;
    }

  private:
    static constexpr size_t kBlocksForTwoThreads = 4096;

    // f(kind, its table, its saved definitions) for every kind in order,
    // while f returns true.
    template <class F>
    bool each_kind(F f) const {
        return [&]<size_t... K>(std::index_sequence<K...>) {
            return (f(static_cast<Kind>(K), store_.*(std::get<K>(kKindTables).first),
                      std::get<K>(saved_)) &&
                    ...);
        }
        (std::make_index_sequence<kKindCount>{});
    }

    bool counts_match() const {
        return each_kind([&](Kind kind, const auto&, const auto& defs) {
            return defs.size() == by_kind_[static_cast<size_t>(kind)].size();
        });
    }

    template <class Def>
    bool line_up(Kind kind, const std::vector<const Def*>& defs, BlockItems& items) {
        const auto& blocks = by_kind_[static_cast<size_t>(kind)];
        for (size_t i = 0; i < defs.size(); ++i) {
            ScannedBlock& b = scan_.blocks[blocks[i]];
            int need = defs[i] ? revision_needed(*defs[i]) : 0;
            if (!defs[i] || b.name != defs[i]->name || (need != 0 && need != b.revision))
                return false;
            if constexpr (std::is_same_v<Def, Spool>)
                if (!scan_items(source_, scan_, b, items)) return false;
        }
        return true;
    }

    // Compares share `part` of `parts` of the blocks of a kind, in order.
    template <class Def>
    void compare_share(BlockMatcher& matcher, Kind kind, const std::vector<const Def*>& defs,
                       const std::vector<int32_t>& streams, size_t part, size_t parts,
                       std::atomic<bool>& differs) {
        const auto& blocks = by_kind_[static_cast<size_t>(kind)];
        const size_t end = defs.size() * (part + 1) / parts;
        for (size_t i = defs.size() * part / parts; i < end; ++i) {
            if (differs.load(std::memory_order_relaxed)) return;
            int32_t stream = 0;
            if constexpr (std::is_same_v<Def, Spool>) stream = streams[i];
            if (!defs[i] || !matcher.matches(scan_.blocks[blocks[i]], *defs[i], kind, stream))
                differs = true;
        }
    }

    struct Anchor {
        size_t line;
        int revision;
    };

    std::string_view line(size_t i) const { return scan_.line(source_, i); }

    // Where new definitions of a kind go: after the last block of the kind,
    // else after the last block of a kind written before it, else before the
    // first block of a kind written after it, else at the end.
    Anchor anchor(Kind kind) const {
        const ScannedBlock *same = nullptr, *earlier = nullptr, *later = nullptr;
        for (const auto& b : scan_.blocks) {
            if (b.kind == kind)
                same = &b;
            else if (b.kind < kind)
                earlier = &b;
            else if (!later)
                later = &b;
        }
        if (same) return {same->close + 1, same->revision};
        if (earlier) return {earlier->close + 1, earlier->revision};
        if (later) return {later->lead, later->revision};
        return {scan_.lines.size(), scan_.end_revision};
    }

    int32_t fresh_stream(int32_t byte) {
        int32_t n = byte == 0 ? 256 : byte;
        while (streams_.count(n)) n += 256;
        streams_.insert(n);
        return n;
    }

    // Drops a deleted definition's block. The comment lines above it are
    // the user's (a section heading, a note on the blocks around): they go
    // only from the first that names the definition.
    void drop(const ScannedBlock& b) {
        size_t first = b.header;
        for (size_t i = b.lead; i < b.header && first == b.header; ++i)
            if (names_word(line(i), b.name)) first = i;
        for (size_t i = first; i <= b.close; ++i) dropped_[i] = true;
        // Blank lines on both sides would be left doubled.
        size_t next = b.close + 1;
        if ((first == 0 || is_blank(line(first - 1))) && next < scan_.lines.size() &&
            is_blank(line(next)))
            dropped_[next] = true;
    }

    // `text` with CR LF line ends made the source's.
    std::string lines_as_source(std::string_view text) const {
        if (scan_.crlf) return std::string(text);
        std::string out;
        out.reserve(text.size());
        for (size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
        return out;
    }

    // A block compiled where the revision is `revision`, switched to what
    // the definition needs and back.
    std::string in_revision(std::string block, int need, int revision) const {
        if (need == 0 || need == revision) return block;
        if (!block.empty() && block.back() != '\n') block += eol_;
        return "REV_NO = " + std::to_string(need) + eol_ + block +
               "REV_NO = " + std::to_string(revision) + eol_;
    }

    // Does `text`, compiled alone in `revision`, give one block for `def`?
    template <class Def>
    bool check(std::string_view text, const Def& def, Kind kind, int32_t stream, int revision) {
        ScannedSource s;
        BlockItems items;
        if (!scan_source(text, revision, s) || s.blocks.size() != 1 || s.blocks[0].kind != kind ||
            !scan_items(text, s, s.blocks[0], items))
            return false;
        Canonical c;
        return canonical(def, kind, stream, c) && c.fields.name == s.blocks[0].name &&
               same_items(kind, revision, items.meanings, c.meanings);
    }

    template <class Def>
    bool new_block(const Def& def, Kind kind, int32_t stream, int revision, std::string& out) {
        std::string text, error;
        if (!write_block(def, kind, stream, text, error)) return false;
        // The writer leaves a blank line after each block; blocks of a kind
        // follow each other here as the source has them.
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
            text.resize(text.size() - 2);
        text = lines_as_source(text);
        int need = revision_needed(def);
        if (!check(text, def, kind, stream, need ? need : revision)) return false;
        out += in_revision(std::move(text), need, revision);
        return true;
    }

    // Rewrites block `b` for `def`: item lines that still mean what the
    // definition needs stay as written, the others are replaced by the
    // writer's lines, placed where their class of items stands.
    template <class Def>
    bool rewrite(size_t index, const Def& def, Kind kind) {
        ScannedBlock& b = scan_.blocks[index];
        BlockItems items;
        if (!scan_items(source_, scan_, b, items)) return false;
        int32_t stream = 0;
        if constexpr (std::is_same_v<Def, Spool>)
            stream = (b.stream & 0xff) == def.stream && b.stream != 0 ? b.stream
                                                                      : fresh_stream(def.stream);
        Canonical c;
        std::string text, error;
        if (!canonical(def, kind, stream, c) || !write_block(def, kind, stream, text, error))
            return false;
        std::vector<std::string_view> written;  // header, items, closing brace
        for (size_t at = 0; at < text.size();) {
            size_t end = text.find("\r\n", at);
            if (end == std::string::npos) break;
            written.push_back(std::string_view(text).substr(at, end - at));
            at = end + 2;
        }
        if (written.size() < c.meanings.size() + 2) return false;

        // Per class, the writer's items in order matched greedily, in order,
        // with the block's: the classes keep their order either way.
        const size_t n = c.meanings.size();
        std::vector<size_t> match(n, SIZE_MAX);  // writer item -> block item
        std::vector<bool> kept(items.meanings.size(), false);
        std::set<int> classes;
        for (const auto& m : c.meanings) classes.insert(m.order_class);
        for (int cls : classes) {
            size_t from = 0;
            for (size_t k = 0; k < n; ++k) {
                if (c.meanings[k].order_class != cls) continue;
                for (size_t j = from; j < items.meanings.size(); ++j) {
                    if (items.meanings[j] == c.meanings[k]) {
                        match[k] = j;
                        kept[j] = true;
                        from = j + 1;
                        break;
                    }
                }
            }
        }
        // Each unmatched writer item goes after the matched one before it in
        // its class, or before the first matched one, or where the class's
        // first item stood, or before the closing brace.
        std::vector<std::string> before_item(items.meanings.size()),
            after_item(items.meanings.size());
        std::string at_end;
        std::string eol(eol_);
        for (size_t k = 0; k < n; ++k) {
            if (match[k] != SIZE_MAX) continue;
            std::string item = std::string(written[k + 1]) + eol;
            int cls = c.meanings[k].order_class;
            size_t prev = SIZE_MAX, next = SIZE_MAX;
            for (size_t q = k; q-- > 0;)
                if (c.meanings[q].order_class == cls && match[q] != SIZE_MAX) {
                    prev = match[q];
                    break;
                }
            for (size_t q = k + 1; q < n && prev == SIZE_MAX; ++q)
                if (c.meanings[q].order_class == cls && match[q] != SIZE_MAX) {
                    next = match[q];
                    break;
                }
            if (prev != SIZE_MAX) {
                after_item[prev] += item;
            } else if (next != SIZE_MAX) {
                before_item[next] += item;
            } else {
                size_t first = SIZE_MAX;
                for (size_t j = 0; j < items.meanings.size() && first == SIZE_MAX; ++j)
                    if (items.meanings[j].order_class == cls) first = j;
                if (first != SIZE_MAX)
                    before_item[first] += item;
                else
                    at_end += item;
            }
        }

        std::string block;
        if (c.fields.name == b.name) {
            block += line(b.header);
        } else {
            block += written[0];
            block += eol;
        }
        size_t j = 0;
        for (size_t i = b.header + 1; i < b.close; ++i) {
            if (j < items.lines.size() && items.lines[j] == i) {
                block += before_item[j];
                if (kept[j]) block += line(i);
                block += after_item[j];
                ++j;
            } else {
                block += line(i);
            }
        }
        block += at_end;
        block += line(b.close);

        int need = revision_needed(def);
        if (!check(block, def, kind, stream, need ? need : b.revision)) return false;
        for (size_t i = b.header; i <= b.close; ++i) dropped_[i] = true;
        replaced_[b.header] = in_revision(std::move(block), need, b.revision);
        return true;
    }

    std::string_view source_;
    ScannedSource& scan_;
    const Store& store_;
    const SavedDefinitions saved_;
    const char* eol_;
    // Texts put before a line (the end: the line count), and the texts that
    // replace the blocks whose header is at a line. Few against the lines.
    std::map<size_t, std::string> inserted_;
    std::map<size_t, std::string> replaced_;
    std::vector<bool> dropped_;
    std::vector<std::vector<size_t>> by_kind_;
    std::set<int32_t> streams_;
};

}  // namespace

bool edit_source(std::string_view source, const Store& store, std::string& out) {
    ScannedSource scan;
    if (!scan_source(source, 2, scan)) return false;
    Editor e(source, scan, store);
    if (!e.verify() || !e.plan()) return false;
    out = e.result();
    return true;
}

bool KnownSource::compare(std::string text, const Store& store) {
    clear();
    ScannedSource scan;
    if (!scan_source(text, 2, scan) || !Editor(text, scan, store).verify()) return false;
    text_ = std::move(text);
    scan_ = std::move(scan);
    held_ = scanned_ = true;
    return true;
}

void KnownSource::assume(std::string text) {
    clear();
    text_ = std::move(text);
    held_ = true;
}

void KnownSource::clear() {
    held_ = scanned_ = false;
    text_ = {};
    scan_ = {};
}

bool KnownSource::edit(const Store& store, std::string& out) {
    if (!held_) return false;
    if (!scanned_ && !scan_source(text_, 2, scan_)) {
        clear();
        return false;
    }
    Editor e(text_, scan_, store);
    if (!scanned_ && !e.aligned()) {
        clear();
        return false;
    }
    scanned_ = true;
    if (!e.plan()) return false;
    out = e.result();
    return true;
}

}  // namespace zor::edit
