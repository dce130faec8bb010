#pragma once
// Shift-JIS (code page 932) and UTF-8 both ways. The texts of the
// definitions and of the wire are CP932; what is shown to people or other
// programs (logs, SML, exports) is UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace zor::platform {

// One converter is reused for many texts: opening the code page's table
// costs more than converting a short text. Not for two threads at once.
class Cp932 {
  public:
    Cp932();  // std::runtime_error when the system has no CP932 table
    ~Cp932();
    Cp932(const Cp932&) = delete;
    Cp932& operator=(const Cp932&) = delete;

    // Appends the UTF-8 of `sjis` to `out` up to the first byte that begins
    // no CP932 character (a lone lead byte at the end included); returns how
    // many bytes of `sjis` were converted (sjis.size() when all).
    std::size_t to_utf8(std::string_view sjis, std::string& out);
    // Appends the CP932 of `utf8` to `out` up to the first character CP932
    // cannot hold or the first byte that is no UTF-8; returns how many bytes
    // of `utf8` were converted.
    std::size_t from_utf8(std::string_view utf8, std::string& out);

  private:
    void* to_utf8_;
    void* from_utf8_;
};

}  // namespace zor::platform
