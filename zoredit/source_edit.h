#pragma once
// A save that edits the source the definitions were loaded from instead of
// writing it anew: the block of an untouched definition stays byte for byte
// with the comment and blank lines around it, a changed definition is
// rewritten in its place (its header line and the lines of items that still
// mean the same kept as written), a deleted definition's block goes with
// those comment lines directly above it that name it (from the first that
// does), and a new definition follows the last block of its kind.

#include <string>
#include <string_view>

#include "zoredit/source_scan.h"
#include "zoredit/store.h"

namespace zor::edit {

// The edited copy of `source` (the text at the save path) in `out`. False,
// `out` untouched, when `source` is not the source the store's definitions
// were loaded from (block by block as the compiler reads it) or when an edit
// cannot be made and checked; the caller then writes the whole source.
bool edit_source(std::string_view source, const Store& store, std::string& out);

// A source held as the one the store's saved definitions stand in, so that
// a save edits it without comparing every block again: compared when the
// definitions are loaded, or what the last save wrote for them.
class KnownSource {
  public:
    // Holds `text` when every block of it is the saved definition it stands
    // for (as edit_source compares them); false, nothing held, otherwise.
    bool compare(std::string text, const Store& store);
    // Holds `text` as a save has just written it for the definitions it then
    // marked saved, without comparing it; it is scanned when first edited.
    void assume(std::string text);
    void clear();
    // Is `text` the held source, byte for byte?
    bool holds(std::string_view text) const { return held_ && text == text_; }
    // As edit_source on the held source: false, `out` untouched, when
    // nothing is held, its blocks do not line up with the saved definitions
    // (each kind's count and names), or an edit cannot be made and checked.
    bool edit(const Store& store, std::string& out);

  private:
    bool held_ = false;
    bool scanned_ = false;
    std::string text_;
    ScannedSource scan_;
};

}  // namespace zor::edit
