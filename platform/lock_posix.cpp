#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/platform.h"
#include "platform/working_file_posix.h"

namespace zor::platform {

FileLock::State FileLock::try_lock(const std::string& path) {
    release();
    // Never through a link: the lock file would be made wherever it led.
    int fd = open_without_link(path, O_RDWR);
    if (fd < 0) return State::failed;
    handle_ = fd;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return State::held;
    if (errno == EWOULDBLOCK) return State::busy;
    release();
    return State::failed;
}

bool FileLock::wait() {
    if (handle_ < 0) return false;
    int result;
    do result = ::flock(static_cast<int>(handle_), LOCK_EX);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

void FileLock::release() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));  // closing drops the lock
    handle_ = -1;
}

}  // namespace zor::platform
