#pragma once
// Reads an object file (.fil) into an Equipment. The reader is strict: a
// line that the compiler could not have written is refused with its line
// number and the fault, and nothing of the file is kept.

#include <string>
#include <string_view>

#include "zoredit/model.h"

namespace zor::edit {

// True on success. On failure `error` holds "damaged object file, record
// SV "TEMP1" at line N, byte B: fault" (", record ..." only when the line
// begins like a record) and `out` is left as it was.
bool read_fil(std::string_view data, Equipment& out, std::string& error);
bool read_fil_file(const std::string& path, Equipment& out, std::string& error);

}  // namespace zor::edit
