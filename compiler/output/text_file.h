#pragma once
// A file written as Windows text: every "\n" written becomes CR LF, so all
// outputs read the same in the equipment's Windows tools.

#include <cstdio>
#include <string>
#include <string_view>

namespace zor::compiler {

class TextFile {
public:
    TextFile() = default;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    ~TextFile() { close(); }

    // Creates or truncates the file; false when it cannot be opened.
    bool open(const std::string& path);
    void write(std::string_view text);
    // Writes bytes unchanged (for copying text that already has CR LF).
    void write_raw(std::string_view bytes);
    // False when any write or the close itself failed.
    bool close();
    bool is_open() const { return file_ != nullptr; }

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// Writes `text` as the whole content of `path`; false on any failure.
bool write_text_file(const std::string& path, std::string_view text);

}  // namespace zor::compiler
