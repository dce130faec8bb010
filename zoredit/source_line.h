#pragma once
// Builds single source lines whose texts read back exactly: each candidate
// form of a text is split with the compiler's own field splitter and kept
// only when the fields come out as intended.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "textscan/language_limits.h"

namespace zor::edit {

// How the compiler splits a line between blocks (a header) and an item line
// of a body, and the most fields and field bytes it takes from one line.
inline constexpr const char* kHeaderSeparators = " ,={}():\t";
inline constexpr const char* kItemSeparators = " ,{}[]:\t";
using textscan::kMaxFieldLength;
using textscan::kMaxFields;

// "key : fixed... text..." where `fixed` are fields written as they are
// (numbers, a format specification) and `texts` follow them as values,
// then the fixed `tail`.
// nullopt when some text has no written form that survives the splitter.
std::optional<std::string> item_line(std::string_view key, const std::vector<std::string>& fixed,
                                     const std::vector<std::string>& texts,
                                     const std::vector<std::string>& tail = {});
// "keyword name {".
std::optional<std::string> header_line(std::string_view keyword, std::string_view name);
// The same, appended to `out`; false (nothing appended) when it cannot be.
bool append_header_line(std::string& out, std::string_view keyword, std::string_view name);

// Appends the written form of a text when the quick rules vouch for it;
// false (nothing appended) when only the splitter can tell.
bool append_quick_form(std::string& out, std::string_view text);

// The fields the compiler takes from an item line (quotes stripped).
std::vector<std::string> split_item_line(const std::string& line);

}  // namespace zor::edit
