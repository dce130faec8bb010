#pragma once
// Small text helpers the inspect library's readers share.

#include <string>
#include <string_view>

namespace zor::inspect {

// The whole file as bytes; false with "cannot open PATH" when it cannot be
// opened.
bool read_file(const std::string& path, std::string& content, std::string& error);

// ASCII letters to lower case; every other byte (Shift-JIS included) kept.
std::string ascii_lower(std::string_view text);

}  // namespace zor::inspect
