#pragma once
// Shared by the POSIX files that open a file the program keeps under a fixed
// name (the working files, the run lock).

#include <string>

namespace zor::platform {

// Opens `path` with `flags` (O_CREAT added), never through a link: a
// symbolic link at the name is removed and a file made in its place.
// Anything else that is no regular file is refused without opening it
// (errno EISDIR for a directory, EINVAL otherwise). A descriptor, or -1 with
// errno saying why.
int open_without_link(const std::string& path, int flags);

}  // namespace zor::platform
