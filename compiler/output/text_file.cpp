#include "compiler/output/text_file.h"

namespace zor::compiler {

bool TextFile::open(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "wb");
    failed_ = false;
    return file_ != nullptr;
}

void TextFile::write(std::string_view text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            write_raw(text.substr(start));
            return;
        }
        write_raw(text.substr(start, lf - start));
        write_raw("\r\n");
        start = lf + 1;
    }
}

void TextFile::write_raw(std::string_view bytes) {
    if (!file_ || bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

bool TextFile::close() {
    if (!file_) return !failed_;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

bool write_text_file(const std::string& path, std::string_view text) {
    TextFile file;
    if (!file.open(path)) return false;
    file.write(text);
    return file.close();
}

}  // namespace zor::compiler
