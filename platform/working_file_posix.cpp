#include "platform/working_file_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/platform.h"

namespace zor::platform {

int open_without_link(const std::string& path, int flags) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0) {
            if (S_ISLNK(st.st_mode)) {
                if (::unlink(path.c_str()) != 0) return -1;
            } else if (!S_ISREG(st.st_mode)) {
                errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
                return -1;
            }
        }
        // No link is followed and no FIFO waited on, should one be put
        // there since the look above.
        int fd = ::open(path.c_str(), flags | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) return fd;
            ::close(fd);
            errno = EINVAL;
            return -1;
        }
        if (errno != ELOOP) return -1;
    }
    return -1;
}

std::FILE* open_working_file(const std::string& path) {
    int fd = open_without_link(path, O_WRONLY);
    if (fd < 0) return nullptr;
    std::FILE* file = ::ftruncate(fd, 0) == 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!file) {
        int cause = errno;
        ::close(fd);
        errno = cause;
    }
    return file;
}

}  // namespace zor::platform
