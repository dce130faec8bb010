#include "platform/win32.h"

#include <windows.h>

#include <cerrno>

namespace zor::platform::win32 {

std::wstring wide(std::string_view cp932) {
    if (cp932.empty()) return {};
    const int size = static_cast<int>(cp932.size());
    int n = MultiByteToWideChar(932, 0, cp932.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, cp932.data(), size, out.data(), n);
    return out;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    int n = WideCharToMultiByte(932, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(932, 0, utf16.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

int errno_from_last_error() {
    int e;
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH: e = ENOENT; break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: e = EACCES; break;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS: e = EEXIST; break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: e = ENOSPC; break;
        case ERROR_DIRECTORY: e = ENOTDIR; break;
        case ERROR_BAD_EXE_FORMAT: e = ENOEXEC; break;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: e = ENOMEM; break;
        case ERROR_FILENAME_EXCED_RANGE: e = ENAMETOOLONG; break;
        default: e = EIO; break;
    }
    errno = e;
    return e;
}

}  // namespace zor::platform::win32
