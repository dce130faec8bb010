#pragma once
// A file written as Windows text: every "\n" written becomes CR LF, so all
// outputs read the same in the equipment's Windows tools.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace zor::compiler {

// A file that could not be written completely, and why (an errno value).
struct WriteFailure {
    std::string path;
    int error = 0;
};

class TextFile {
  public:
    TextFile() = default;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    ~TextFile() { close(); }

    // A working file under a fixed name: created or emptied, never written
    // through a link (platform::open_working_file); false when it cannot be
    // opened.
    bool open(const std::string& path);
    // An output that replaces the previous one whole (platform::ReplacingFile,
    // a link at the path replaced, not followed); close() puts it in place
    // only when every write succeeded, so a failed run leaves the previous
    // file as it was. With `temporary` named, the file is written under that
    // name until then.
    bool open_replacing(const std::string& path, const std::string& temporary = {});
    void write(std::string_view text);
    // Writes bytes unchanged (for copying text that already has CR LF).
    void write_raw(std::string_view bytes);
    // False when any write, the close itself or the renaming failed.
    bool close();
    // Closes without putting a replacing file in place.
    void discard();
    bool is_open() const { return file_ != nullptr || replacing_.is_open(); }
    // The path given to open, and the first failure's errno (0 for none).
    const std::string& path() const { return path_; }
    int error() const { return error_; }
    // Closes the file; its failure, if any, is added to `failures`.
    void close_into(std::vector<WriteFailure>& failures);

  private:
    void fail();

    std::FILE* file_ = nullptr;
    platform::ReplacingFile replacing_;
    std::string path_;
    int error_ = 0;
};

// Writes `text` as the whole content of the working file `path`; false on
// any failure, with the errno in `error` when given.
bool write_text_file(const std::string& path, std::string_view text, int* error = nullptr);

}  // namespace zor::compiler
