#include <windows.h>

#include "platform/platform.h"
#include "platform/win32.h"

namespace zor::platform {
namespace {

HANDLE handle_of(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

// Windows locks are mandatory for the bytes they cover, so the lock sits on
// one byte far past any content: writers of the file itself are not hurt.
bool lock_far_byte(HANDLE file, DWORD flags) {
    OVERLAPPED at{};
    at.Offset = 0xFFFFFFFE;
    at.OffsetHigh = 0x7FFFFFFF;
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | flags, 0, 1, 0, &at) != 0;
}

}  // namespace

FileLock::State FileLock::try_lock(const std::string& path) {
    release();
    // Never through a link: the lock file would be made wherever it led.
    HANDLE file = win32::open_without_link(path, GENERIC_READ | GENERIC_WRITE);
    if (!file) return State::failed;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    if (lock_far_byte(file, LOCKFILE_FAIL_IMMEDIATELY)) return State::held;
    if (GetLastError() == ERROR_LOCK_VIOLATION || GetLastError() == ERROR_IO_PENDING)
        return State::busy;
    release();
    return State::failed;
}

bool FileLock::wait() { return handle_ != -1 && lock_far_byte(handle_of(handle_), 0); }

void FileLock::release() {
    if (handle_ != -1) CloseHandle(handle_of(handle_));  // closing drops the lock
    handle_ = -1;
}

}  // namespace zor::platform
