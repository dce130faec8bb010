#include "compiler/driver/split_line.h"

#include "textscan/textscan.h"

namespace zor::compiler {

std::vector<std::string> split_line(const std::string& text, const char* separators) {
    char* items[kMaxFields] = {};
    int count = get_field_item(text.c_str(), items, separators, kMaxFields, kMaxFieldLength);
    std::vector<std::string> fields;
    fields.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) fields.emplace_back(items[i] ? items[i] : "");
    free_item_mem(items, count);
    return fields;
}

}  // namespace zor::compiler
