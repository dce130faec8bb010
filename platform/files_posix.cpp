#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/read_regular.h"

namespace zor::platform {

std::FILE* open_file(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);  // no text mode to leave here
}

void binary_standard_streams() {}

const char* null_device() { return "/dev/null"; }

bool rename_replacing(const std::string& from, const std::string& to) {
    // POSIX rename() already replaces the target atomically.
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool remove_file(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool file_exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

// The null device reads as an empty file: callers name it for "none".
bool is_null_device(const struct stat& st) {
    struct stat null {};
    return S_ISCHR(st.st_mode) && ::stat("/dev/null", &null) == 0 && st.st_rdev == null.st_rdev;
}

}  // namespace

ReadStep read_regular(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Without O_NONBLOCK, opening a FIFO that nobody writes would wait forever.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return ReadStep::open;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    if (ok && is_null_device(st)) {
        ::close(fd);
        return ReadStep::done;
    }
    if (ok && !S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ok = false;
    }
    char buffer[1 << 16];
    while (ok) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            ok = false;
        }
    }
    int cause = errno;
    ::close(fd);
    errno = cause;
    if (ok) return ReadStep::done;
    bytes.clear();
    return ReadStep::read;
}

bool same_file(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

}  // namespace zor::platform
