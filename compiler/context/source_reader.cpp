#include "compiler/context/source_reader.h"

#include "platform/platform.h"

namespace zor::compiler {

bool SourceReader::open(const std::string& path) {
    // A directory or a device is no source, and a source that cannot be read
    // to its end must not compile as a shorter one.
    std::string raw;
    if (!platform::read_regular_file(path, raw)) return false;
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
