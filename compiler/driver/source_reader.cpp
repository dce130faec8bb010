#include "compiler/driver/source_reader.h"

#include <cstdio>

namespace zor::compiler {

bool SourceReader::open(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    std::string raw;
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) raw.append(buffer, n);
    std::fclose(in);
    // In place: the text only ever gets shorter.
    size_t out = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        raw[out++] = raw[i];
    }
    raw.resize(out);
    utf8_bom_ = raw.starts_with("\xEF\xBB\xBF");
    text_ = std::move(raw);
    position_ = 0;
    open_ = true;
    return true;
}

void SourceReader::close() {
    text_.clear();
    text_.shrink_to_fit();
    position_ = 0;
    open_ = false;
}

bool SourceReader::read_line(std::string& line) {
    if (!open_ || position_ >= text_.size()) return false;
    size_t end = text_.find('\n', position_);
    end = end == std::string::npos ? text_.size() : end + 1;
    if (end - position_ > kMaxPiece) end = position_ + kMaxPiece;
    line.assign(text_, position_, end - position_);
    position_ = end;
    ++line_counter_;
    return true;
}

}  // namespace zor::compiler
