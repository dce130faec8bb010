#include "compiler/output/object_record.h"

#include <cassert>

namespace zor::compiler {

ObjectRecord& ObjectRecord::value_bits(std::string_view tag, uint32_t bits) {
    assert(tag.size() == 4);
    static const char digits[] = "0123456789abcdef";
    line_ += tag;
    for (int shift = 28; shift >= 0; shift -= 4) line_ += digits[(bits >> shift) & 0xf];
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
