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
    fd_ = open_without_link(path, O_RDWR);
    if (fd_ < 0) return State::failed;
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return State::held;
    if (errno == EWOULDBLOCK) return State::busy;
    release();
    return State::failed;
}

bool FileLock::wait() {
    if (fd_ < 0) return false;
    int result;
    do result = ::flock(fd_, LOCK_EX);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

void FileLock::release() {
    if (fd_ >= 0) ::close(fd_);  // closing drops the lock
    fd_ = -1;
}

}  // namespace zor::platform
