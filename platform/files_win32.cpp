#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <cwchar>

#include "platform/platform.h"
#include "platform/read_regular.h"
#include "platform/win32.h"

namespace zor::platform {

using win32::wide;

std::FILE* open_file(const std::string& path, const char* mode) {
    std::wstring binary_mode;
    for (const char* m = mode; *m != 0; ++m)
        if (*m != 'b' && *m != 't') binary_mode += static_cast<wchar_t>(*m);
    binary_mode += L'b';
    return _wfopen(wide(path).c_str(), binary_mode.c_str());
}

void binary_standard_streams() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

const char* null_device() { return "NUL"; }

bool rename_replacing(const std::string& from, const std::string& to) {
    const std::wstring target = wide(to);
    // Write-through: a replacement is only done once it is on disk.
    if (MoveFileExW(wide(from).c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    win32::errno_from_last_error();
    // Windows says "access denied" for a directory in the way; the message
    // should name the cause, as on POSIX.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        errno = EISDIR;
    return false;
}

bool remove_file(const std::string& path) { return DeleteFileW(wide(path).c_str()) != 0; }

bool file_exists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// Opens for reading what is there, a directory included, sharing it with
// writers and renamers.
HANDLE open_existing(const std::string& path, DWORD access) {
    return CreateFileW(wide(path).c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The null device reads as an empty file: callers name it for "none".
bool is_null_device(std::string_view path) {
    std::string_view name = path.substr(file_name_start(path));
    return name.size() == 3 && (name[0] | 0x20) == 'n' && (name[1] | 0x20) == 'u' &&
           (name[2] | 0x20) == 'l';
}

}  // namespace

ReadStep read_regular(const std::string& path, std::string& bytes) {
    bytes.clear();
    HANDLE file = open_existing(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) {
        win32::errno_from_last_error();
        return ReadStep::open;
    }
    bool ok = true;
    const DWORD type = GetFileType(file);
    BY_HANDLE_FILE_INFORMATION info{};
    if (type == FILE_TYPE_CHAR && is_null_device(path)) {
        CloseHandle(file);
        return ReadStep::done;
    }
    if (type != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info)) {
        errno = EINVAL;
        ok = false;
    } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        errno = EISDIR;
        ok = false;
    }
    char buffer[1 << 16];
    while (ok) {
        DWORD n = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
            win32::errno_from_last_error();
            ok = false;
        } else if (n == 0) {
            break;
        } else {
            bytes.append(buffer, n);
        }
    }
    int cause = errno;
    CloseHandle(file);
    errno = cause;
    if (ok) return ReadStep::done;
    bytes.clear();
    return ReadStep::read;
}

bool same_file(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION ia{};
    BY_HANDLE_FILE_INFORMATION ib{};
    HANDLE fa = open_existing(a, 0);
    HANDLE fb = open_existing(b, 0);
    bool same = fa != INVALID_HANDLE_VALUE && fb != INVALID_HANDLE_VALUE &&
                GetFileInformationByHandle(fa, &ia) && GetFileInformationByHandle(fb, &ib) &&
                ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
                ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
    if (fa != INVALID_HANDLE_VALUE) CloseHandle(fa);
    if (fb != INVALID_HANDLE_VALUE) CloseHandle(fb);
    return same;
}

}  // namespace zor::platform
