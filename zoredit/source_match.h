#pragma once
// Is a block of a definition source the definition it stands for, as the
// compiler would read it? Quickly when its lines are the writer's own, else
// line by line against the writer's lines, else item by item.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "zoredit/source_scan.h"
#include "zoredit/source_writer.h"
#include "zoredit/store.h"

namespace zor::edit {

// What the compiler takes from the writer's block for a definition.
struct Canonical {
    BlockFields fields;
    std::vector<ItemMeaning> meanings;
};

template <class Def>
bool canonical(const Def& def, Kind kind, int32_t stream, Canonical& out) {
    if (!block_fields(def, kind, stream, out.fields)) return false;
    out.meanings.clear();
    out.meanings.reserve(out.fields.items.size());
    for (const auto& f : out.fields.items) out.meanings.push_back(item_meaning(f));
    return true;
}

// The revision a definition's block must be compiled in; 0 for either.
template <class Def>
int revision_needed(const Def& def) {
    if constexpr (std::is_same_v<Def, Variable>)
        return needed_revision(def);
    else
        return 0;
}

// Compares blocks of one scanned source; one per thread, as it keeps the
// buffers every block compared reuses.
class BlockMatcher {
  public:
    BlockMatcher(std::string_view source, const ScannedSource& scan)
        : source_(source), scan_(scan) {}

    // Is `block` the definition? `stream`: the number a spool is written
    // with for the comparison; any with the definition's byte means the
    // same. Sets a spool block's stream as written.
    template <class Def>
    bool matches(ScannedBlock& block, const Def& def, Kind kind, int32_t stream);

  private:
    bool same_lines(ScannedBlock& block, Kind kind);
    bool written_accepted(Kind kind, int revision, size_t items);
    bool same_text(const ScannedBlock& b, std::string_view written) const;
    std::string_view line(size_t i) const { return scan_.line(source_, i); }

    std::string_view source_;
    const ScannedSource& scan_;
    std::string scratch_, reduced_, reduced_written_;
    std::vector<std::string_view> written_lines_;
    std::vector<std::string> fields_, fields_written_;
    std::vector<std::string_view> views_, views_written_;
    std::vector<ItemMeaning> meanings_;
    std::map<std::string, ItemMeaning, std::less<>> format_meanings_;
};

}  // namespace zor::edit
