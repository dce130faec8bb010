#include "compiler/driver/source_reader.h"

#include <fstream>
#include <iterator>

namespace zor::compiler {

bool SourceReader::open(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    text_.clear();
    text_.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text_ += raw[i];
    }
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
