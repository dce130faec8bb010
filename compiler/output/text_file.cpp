#include "compiler/output/text_file.h"

#include <cerrno>

#include "platform/platform.h"

namespace zor::compiler {

std::string temporary_path(const std::string& path) { return path + ".zorcompile-tmp"; }

bool TextFile::open(const std::string& path) {
    close();
    path_ = path;
    replacing_ = false;
    error_ = 0;
    file_ = platform::open_file(path, "wb");
    if (!file_) fail();
    return file_ != nullptr;
}

bool TextFile::open_replacing(const std::string& path) {
    close();
    path_ = path;
    replacing_ = true;
    error_ = 0;
    file_ = platform::open_file(temporary_path(path), "wb");
    if (!file_) fail();
    return file_ != nullptr;
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
    if (!file_ || bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) fail();
}

bool TextFile::close() {
    if (!file_) return error_ == 0;
    if (std::fflush(file_) != 0) fail();
    if (std::fclose(file_) != 0) fail();
    file_ = nullptr;
    if (replacing_) {
        const std::string temporary = temporary_path(path_);
        if (error_ == 0 && !platform::rename_replacing(temporary, path_)) fail();
        if (error_ != 0) platform::remove_file(temporary);
    }
    return error_ == 0;
}

void TextFile::discard() {
    if (!file_) return;
    std::fclose(file_);
    file_ = nullptr;
    if (replacing_) platform::remove_file(temporary_path(path_));
}

void TextFile::close_into(std::vector<WriteFailure>& failures) {
    bool was_open = file_ != nullptr;
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
