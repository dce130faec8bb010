#include "compiler/driver/split_line.h"

#include "textscan/field_split.h"

namespace zor::compiler {

void split_line(const std::string& text, const char* separators, std::vector<std::string>& fields) {
    textscan::split_fields(0, text.c_str(), fields, separators, kMaxFields, kMaxFieldLength);
}

}  // namespace zor::compiler
