#pragma once
// The splitter behind get_field_item_common, for C++ callers that split many
// lines: fields land in a reused vector instead of one malloc each.

#include <string>
#include <vector>

namespace zor::textscan {

// Same modes and rules as get_field_item_common; `fields` is resized to the
// number of fields, which is returned.
int split_fields(int mode, const char* text, std::vector<std::string>& fields, const char* sep,
                 int max_item, int max_len);

}  // namespace zor::textscan
