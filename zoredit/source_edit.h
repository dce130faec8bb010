#pragma once
// A save that edits the source the definitions were loaded from instead of
// writing it anew: the block of an untouched definition stays byte for byte
// with the comment and blank lines around it, a changed definition is
// rewritten in its place (its header line and the lines of items that still
// mean the same kept as written), a deleted definition's block goes with the
// comment lines directly above it, and a new definition follows the last
// block of its kind.

#include <string>
#include <string_view>

#include "zoredit/store.h"

namespace zor::edit {

// The edited copy of `source` (the text at the save path) in `out`. False,
// `out` untouched, when `source` is not the source the store's definitions
// were loaded from (block by block as the compiler reads it) or when an edit
// cannot be made and checked; the caller then writes the whole source.
bool edit_source(std::string_view source, const Store& store, std::string& out);

}  // namespace zor::edit
