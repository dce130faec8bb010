#pragma once

#include <string>
#include <vector>

#include "textscan/language_limits.h"

namespace zor::compiler {

using textscan::kMaxFieldLength;
using textscan::kMaxFields;

// Splits a source line into at most 16 fields of at most 4096 characters:
// separators other than blank, tab and ',' become fields of their own,
// quotes are removed, "//" starts a comment and ".." is a field. `fields`
// is reused from line to line.
void split_line(const std::string& text, const char* separators, std::vector<std::string>& fields);

}  // namespace zor::compiler
