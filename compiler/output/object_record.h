#pragma once
// One line of the object file: a four-character kind prefix, then tagged
// fields, each a four-character tag and eight lowercase hex digits that give
// either the value itself or the length of the text that follows.

#include <cstdint>
#include <string>
#include <string_view>

namespace zor::compiler {

class ObjectRecord {
  public:
    explicit ObjectRecord(std::string_view prefix) {
        line_.reserve(256);
        line_ = prefix;
    }

    ObjectRecord& text(std::string_view tag, std::string_view text);
    ObjectRecord& value(std::string_view tag, int32_t value);
    // Byte fields carry only the low eight bits.
    ObjectRecord& byte(std::string_view tag, int32_t value) {
        return value_bits(tag, value & 0xff);
    }

    // The finished line, ending in "\n" (a TextFile turns it into CR LF).
    std::string line() const { return line_ + "\n"; }

  private:
    ObjectRecord& value_bits(std::string_view tag, uint32_t bits);
    std::string line_;
};

}  // namespace zor::compiler
