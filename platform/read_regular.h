#pragma once
// Shared by the files that read a file on each system.

#include <string>

namespace zor::platform {

enum class ReadStep { done, open, read };

// Reads the whole of a regular file (the null device reads as empty; a FIFO
// or device is refused without waiting); says which step failed, errno why.
ReadStep read_regular(const std::string& path, std::string& bytes);

}  // namespace zor::platform
