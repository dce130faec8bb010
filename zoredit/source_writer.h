#pragma once
// Writes the held definitions as definition source text that ZorCompile
// compiles back into the same object file.

#include <optional>
#include <string>

#include "zoredit/store.h"

namespace zor::edit {

// The source text of every live definition, CR LF line ends. False with the
// reason (naming the definition) when one cannot be written.
bool write_source(const Store& store, std::string& out, std::string& error);

// Writes `text` to `path` through a temporary file beside it, keeping the
// previous file as `path` + ".bak".
bool replace_file(const std::string& path, const std::string& text, std::string& error);

}  // namespace zor::edit
