#include "inspect/json_writer.h"

#include <cstdio>

namespace zor::inspect {

std::string json_utf8(std::string_view text) {
    std::string out = "\"";
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
    return out + "\"";
}

void JsonWriter::indent() {
    out_ << '\n';
    for (size_t i = 0; i < counts_.size(); ++i) out_ << "  ";
}

void JsonWriter::before_value() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (counts_.empty()) return;
    if (counts_.back()++ > 0) out_ << ',';
    indent();
}

void JsonWriter::key(std::string_view k) {
    before_value();
    out_ << json_utf8(k) << ": ";
    after_key_ = true;
}

void JsonWriter::open(char c) {
    before_value();
    out_ << c;
    counts_.push_back(0);
}

void JsonWriter::close(char c) {
    size_t written = counts_.back();
    counts_.pop_back();
    if (written > 0) indent();
    out_ << c;
}

void JsonWriter::string(std::string_view utf8) {
    before_value();
    out_ << json_utf8(utf8);
}

void JsonWriter::number(int64_t n) {
    before_value();
    out_ << n;
}

void JsonWriter::null() {
    before_value();
    out_ << "null";
}

void JsonWriter::optional_string(const std::optional<std::string>& utf8) {
    if (utf8)
        string(*utf8);
    else
        null();
}

}  // namespace zor::inspect
