#pragma once
// How the definition language compares keywords, names and text IDs: ASCII
// letters folded to lower case, nothing else touched. The trail byte of a
// Shift-JIS character is never folded, so two different characters never
// compare equal.

#include <string>
#include <string_view>

namespace zor::textscan {

std::string fold_case(std::string_view text);

// Does `text` fold to what `ascii_word` folds to? For a word of ASCII only:
// the lead byte of a Shift-JIS character differs from every byte of it, so
// the two compare letter by letter, without a folded copy.
bool folds_equal(std::string_view text, std::string_view ascii_word);

}  // namespace zor::textscan
