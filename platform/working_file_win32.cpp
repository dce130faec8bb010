#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"
#include "platform/win32.h"

namespace zor::platform {

void* win32::open_without_link(const std::string& path, unsigned long access) {
    const std::wstring name = wide(path);
    DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // The link itself goes, never what it leads to.
            BOOL removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(name.c_str())
                                                                   : DeleteFileW(name.c_str());
            if (!removed) {
                errno_from_last_error();
                return nullptr;
            }
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            errno = EISDIR;
            return nullptr;
        }
    }
    // FILE_FLAG_OPEN_REPARSE_POINT: a link put there since the look above is
    // opened as itself, and refused below.
    HANDLE file = CreateFileW(
        name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errno_from_last_error();
        return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0)
        return file;
    CloseHandle(file);
    errno = EINVAL;
    return nullptr;
}

std::FILE* open_working_file(const std::string& path) {
    HANDLE file = win32::open_without_link(path, GENERIC_WRITE);
    if (!file) return nullptr;
    if (!SetEndOfFile(file)) {
        win32::errno_from_last_error();
        CloseHandle(file);
        return nullptr;
    }
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
        CloseHandle(file);
        errno = EMFILE;
        return nullptr;
    }
    std::FILE* stream = _fdopen(fd, "wb");
    if (!stream) {
        int cause = errno;
        _close(fd);
        errno = cause;
    }
    return stream;
}

}  // namespace zor::platform
