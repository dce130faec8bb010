#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <random>

#include "platform/fresh_name.h"
#include "platform/platform.h"
#include "platform/win32.h"

namespace zor::platform {
namespace {

using win32::wide;

// What of the old file's attributes the new one keeps (the mode has no
// counterpart here).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

HANDLE handle_of(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// Creates `path` exclusively (CREATE_NEW fails when anything stands there,
// a link included); a descriptor, or -1 with errno.
int create_exclusive(const std::string& path, DWORD attributes) {
    HANDLE file =
        CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    CREATE_NEW, attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        win32::errno_from_last_error();
        return -1;
    }
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY);
    if (fd < 0) {
        CloseHandle(file);
        DeleteFileW(wide(path).c_str());
        errno = EMFILE;
    }
    return fd;
}

int create_fresh(const std::string& path, DWORD attributes, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = fresh_name(path);
        int fd = create_exclusive(name, attributes);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool write_all(int fd, const char* data, size_t size) {
    while (size > 0) {
        DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(handle_of(fd), data, chunk, &written, nullptr)) {
            win32::errno_from_last_error();
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// What stands at `path`: its attributes, or INVALID_FILE_ATTRIBUTES. A
// directory, a device or a read-only file is refused with the errno value
// the POSIX side gives.
int refusal(const std::string& path, DWORD& attributes) {
    attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Device names (CON, COM1, ...) have no attributes yet open.
        HANDLE device = CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        if (device == INVALID_HANDLE_VALUE) return 0;
        const DWORD type = GetFileType(device);
        CloseHandle(device);
        return type == FILE_TYPE_DISK ? 0 : EINVAL;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return EINVAL;
    if (attributes & FILE_ATTRIBUTE_READONLY) return EACCES;
    return 0;
}

}  // namespace

// Links are rare on Windows and need privileges to make: the name itself is
// replaced, whichever way `link` says.
bool ReplacingFile::open(const std::string& path, Link, const std::string& temporary) {
    discard();
    error_ = 0;
    backup_failed_ = false;
    target_ = path;
    DWORD attributes = 0;
    if (int refused = refusal(target_, attributes)) return fail(refused);
    const bool replaces_file =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    const DWORD kept = replaces_file ? attributes & kKeptAttributes : 0;
    if (temporary.empty()) {
        fd_ = create_fresh(target_, kept, temporary_);
    } else {
        temporary_ = temporary;
        if (!DeleteFileW(wide(temporary_).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
            return fail(win32::errno_from_last_error());
        fd_ = create_exclusive(temporary_, kept);
    }
    if (fd_ < 0) return fail(errno);
    return true;
}

bool ReplacingFile::flush() {
    if (fd_ < 0 || error_ != 0) return false;
    bool ok = write_all(fd_, pending_.data(), pending_.size());
    pending_.clear();
    return ok || fail(errno);
}

bool ReplacingFile::commit(const std::string& backup) {
    if (fd_ < 0) return false;
    if (flush() && !FlushFileBuffers(handle_of(fd_))) fail(win32::errno_from_last_error());
    if (_close(fd_) != 0) fail(errno);
    fd_ = -1;
    if (error_ == 0 && !backup.empty() && !keep_backup(backup)) backup_failed_ = true;
    if (error_ == 0 && !rename_replacing(temporary_, target_)) fail(errno);
    if (error_ != 0) {
        DeleteFileW(wide(temporary_).c_str());
        return false;
    }
    return true;
}

bool ReplacingFile::keep_backup(const std::string& backup) {
    DWORD attributes = GetFileAttributesW(wide(target_).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return true;  // nothing to keep
    // A second name for the old file is the backup, made under a fresh name
    // and moved over the older one, which so stays until then.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string linked = fresh_name(backup);
        if (CreateHardLinkW(wide(linked).c_str(), wide(target_).c_str(), nullptr)) {
            if (rename_replacing(linked, backup)) return true;
            int cause = errno;
            DeleteFileW(wide(linked).c_str());
            return fail(cause);
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    // No second name here (FAT, a network share): a complete copy replaces
    // the older backup.
    HANDLE in = CreateFileW(wide(target_).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE) return fail(win32::errno_from_last_error());
    ReplacingFile copy;
    bool ok = copy.open(backup, Link::replace);
    char buffer[1 << 16];
    while (ok) {
        DWORD n = 0;
        if (!ReadFile(in, buffer, sizeof buffer, &n, nullptr))
            ok = copy.fail(win32::errno_from_last_error());
        if (!ok || n == 0) break;
        ok = copy.write(std::string_view(buffer, n));
    }
    CloseHandle(in);
    if (ok && copy.commit()) return true;
    copy.discard();
    return fail(copy.error());
}

void ReplacingFile::discard() {
    pending_.clear();
    if (fd_ < 0) return;
    _close(fd_);
    fd_ = -1;
    DeleteFileW(wide(temporary_).c_str());
}

}  // namespace zor::platform
