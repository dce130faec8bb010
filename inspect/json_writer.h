#pragma once
// Writes JSON as it goes, two blanks per level, keys in the order they are
// written: the export and the diff stream their documents through one.
// Strings are taken as UTF-8.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zor::inspect {

class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    ~JsonWriter() { flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void begin_object() { open('{'); }
    void end_object() { close('}'); }
    void begin_array() { open('['); }
    void end_array() { close(']'); }
    // The next value belongs to this key.
    void key(std::string_view k);
    void string(std::string_view utf8);
    void number(int64_t n);
    void null();
    void optional_string(const std::optional<std::string>& utf8);
    // After the last close: the document's line end, and everything written.
    void finish() {
        buffer_ += '\n';
        flush();
    }

  private:
    void open(char c);
    void close(char c);
    void before_value();
    void indent();
    void flush();

    // The output goes out in large pieces: a stream insertion per token
    // would cost more than the rest of the export.
    std::ostream& out_;
    std::string buffer_;
    std::vector<size_t> counts_;  // values written in each open container
    bool after_key_ = false;
};

// Appends the JSON string literal of UTF-8 text: '"', '\\' and control
// bytes escaped.
void append_json_utf8(std::string& out, std::string_view text);

}  // namespace zor::inspect
