#include "compiler/output/text_file.h"

#include <cerrno>

namespace zor::compiler {

bool TextFile::open(const std::string& path) {
    close();
    path_ = path;
    error_ = 0;
    file_ = platform::open_working_file(path);
    if (!file_) fail();
    return file_ != nullptr;
}

bool TextFile::open_replacing(const std::string& path, const std::string& temporary) {
    close();
    path_ = path;
    error_ = 0;
    if (replacing_.open(path, platform::ReplacingFile::Link::replace, temporary)) return true;
    error_ = replacing_.error();
    return false;
}

void TextFile::fail() {
    if (error_ == 0) error_ = errno != 0 ? errno : EIO;
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
    if (bytes.empty()) return;
    if (replacing_.is_open()) {
        if (!replacing_.write(bytes) && error_ == 0) error_ = replacing_.error();
    } else if (file_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        fail();
    }
}

bool TextFile::close() {
    if (replacing_.is_open()) {
        if (!replacing_.commit() && error_ == 0) error_ = replacing_.error();
        return error_ == 0;
    }
    if (!file_) return error_ == 0;
    if (std::fflush(file_) != 0) fail();
    if (std::fclose(file_) != 0) fail();
    file_ = nullptr;
    return error_ == 0;
}

void TextFile::discard() {
    replacing_.discard();
    if (!file_) return;
    std::fclose(file_);
    file_ = nullptr;
}

void TextFile::close_into(std::vector<WriteFailure>& failures) {
    bool was_open = is_open();
    if (!close() && was_open) failures.push_back({path_, error_});
}

bool write_text_file(const std::string& path, std::string_view text, int* error) {
    TextFile file;
    if (file.open(path)) {
        file.write(text);
        file.close();
    }
    if (error) *error = file.error();
    return file.error() == 0;
}

}  // namespace zor::compiler
