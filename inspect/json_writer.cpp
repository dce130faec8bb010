#include "inspect/json_writer.h"

#include <cstdio>

namespace zor::inspect {

void append_json_utf8(std::string& out, std::string_view text) {
    out += '"';
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else {
            out += ch;
        }
    }
    out += '"';
}

void JsonWriter::flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

void JsonWriter::indent() {
    buffer_ += '\n';
    buffer_.append(2 * counts_.size(), ' ');
}

void JsonWriter::before_value() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (counts_.empty()) return;
    if (counts_.back()++ > 0) buffer_ += ',';
    indent();
}

void JsonWriter::key(std::string_view k) {
    before_value();
    append_json_utf8(buffer_, k);
    buffer_ += ": ";
    after_key_ = true;
}

void JsonWriter::open(char c) {
    before_value();
    buffer_ += c;
    counts_.push_back(0);
}

void JsonWriter::close(char c) {
    size_t written = counts_.back();
    counts_.pop_back();
    if (written > 0) indent();
    buffer_ += c;
    if (buffer_.size() >= 1 << 16) flush();
}

void JsonWriter::string(std::string_view utf8) {
    before_value();
    append_json_utf8(buffer_, utf8);
}

void JsonWriter::number(int64_t n) {
    before_value();
    buffer_ += std::to_string(n);
}

void JsonWriter::null() {
    before_value();
    buffer_ += "null";
}

void JsonWriter::optional_string(const std::optional<std::string>& utf8) {
    if (utf8)
        string(*utf8);
    else
        null();
}

}  // namespace zor::inspect
