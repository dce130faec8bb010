#include "compiler/output/object_record.h"

#include <cassert>

namespace zor::compiler {

ObjectRecord& ObjectRecord::value_bits(std::string_view tag, uint32_t bits) {
    assert(tag.size() == 4);
    static const char digits[] = "0123456789abcdef";
    char field[12];
    for (int i = 0; i < 4; ++i) field[i] = tag[static_cast<size_t>(i)];
    for (int i = 0; i < 8; ++i) field[4 + i] = digits[(bits >> (28 - 4 * i)) & 0xf];
    line_.append(field, sizeof field);
    return *this;
}

ObjectRecord& ObjectRecord::text(std::string_view tag, std::string_view text) {
    value_bits(tag, static_cast<uint32_t>(text.size()));
    line_ += text;
    return *this;
}

ObjectRecord& ObjectRecord::value(std::string_view tag, int32_t value) {
    return value_bits(tag, static_cast<uint32_t>(value));
}

}  // namespace zor::compiler
