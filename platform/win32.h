#pragma once
// Helpers the Win32 files share; nothing outside platform/ includes this.

#include <string>
#include <string_view>

namespace zor::platform::win32 {

// Shift-JIS (code page 932) to UTF-16 for the wide API, and back.
std::wstring wide(std::string_view cp932);
std::string narrow(std::wstring_view utf16);
// Sets errno from GetLastError() and returns it, so callers that report
// strerror(errno) say the same as on POSIX.
int errno_from_last_error();
// Starts Winsock 2.2 once for the process (never cleaned up: sockets may live
// until exit); false when it cannot start.
bool winsock_ready();

}  // namespace zor::platform::win32

namespace zor::platform::win32 {

// Opens `path` for `access` (created when missing), never through a link: a
// symbolic link or junction at the name is removed and a file made in its
// place. Anything else that is no regular disk file is refused (errno
// EISDIR for a directory, EINVAL otherwise). A HANDLE, or null with errno
// saying why.
void* open_without_link(const std::string& path, unsigned long access);

}  // namespace zor::platform::win32
