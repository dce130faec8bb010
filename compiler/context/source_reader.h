#pragma once
// Reads the definition source as the language defines its lines: a CR LF
// pair reads as one LF (a lone CR stays), and one read takes at most 4095
// characters, so a longer physical line comes in several pieces, each
// counted as a line of its own.

#include <string>

#include "textscan/language_limits.h"

namespace zor::compiler {

class SourceReader {
  public:
    static constexpr size_t kMaxPiece = textscan::kMaxLinePiece;

    // Reads the whole source; false when it is not a regular file or a
    // read fails.
    bool open(const std::string& path);
    bool is_open() const { return open_; }
    void close();
    // The next line with its LF (when it had one); false at end of file.
    // Every line read counts, whoever reads it.
    bool read_line(std::string& line);
    int line_counter() const { return line_counter_; }
    // True when the text begins with the UTF-8 byte-order mark.
    bool starts_with_utf8_bom() const { return utf8_bom_; }

  private:
    std::string text_;
    size_t position_ = 0;
    int line_counter_ = 0;
    bool open_ = false;
    bool utf8_bom_ = false;
};

}  // namespace zor::compiler
