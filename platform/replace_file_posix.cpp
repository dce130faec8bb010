#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

#include "platform/fresh_name.h"
#include "platform/platform.h"

namespace zor::platform {
namespace {

constexpr int kLinkHops = 40;

// The directory part of a path with its slash ("" for the current one).
std::string directory_of(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Where a chain of symbolic links ends: the first name that is no link
// (it need not exist). Empty with errno ELOOP for a chain that never ends.
std::string follow_links(std::string path) {
    for (int hop = 0; hop < kLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string to(static_cast<size_t>(st.st_size) + 256, '\0');
        ssize_t n = ::readlink(path.c_str(), to.data(), to.size());
        if (n < 0) return path;
        to.resize(static_cast<size_t>(n));
        path = !to.empty() && to[0] == '/' ? to : directory_of(path) + to;
    }
    errno = ELOOP;
    return {};
}

// Creates `path` exclusively: O_EXCL never follows a link at the name and
// fails when anything stands there.
int create_exclusive(const std::string& path, mode_t mode) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

// Creates a fresh temporary beside `path`; its name in `name`.
int create_fresh(const std::string& path, mode_t mode, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = fresh_name(path);
        int fd = create_exclusive(name, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool write_all(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Refuses what is no regular file, and a file the caller may not write.
int refusal(const struct stat& st, const std::string& path) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return errno;
    return 0;
}

// The new file takes the old one's owner and group where the caller may
// give them (a change of owner drops set-ID bits, so the mode comes after).
bool take_mode(int fd, const struct stat& st) {
    bool owned = ::fchown(fd, st.st_uid, st.st_gid) == 0 ||
                 ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) == 0;
    static_cast<void>(owned);  // else the caller's, as any file the caller makes
    return ::fchmod(fd, st.st_mode & 07777) == 0;
}

// A rename is only lasting once the directory holding it is on disk. The
// file is in place by then, so a directory that cannot be synced (some file
// systems refuse) does not undo a replacement that happened.
void sync_directory(const std::string& path) {
    std::string directory = directory_of(path);
    int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

bool ReplacingFile::open(const std::string& path, Link link, const std::string& temporary) {
    discard();
    error_ = 0;
    backup_failed_ = false;
    target_ = link == Link::write_through ? follow_links(path) : path;
    if (target_.empty()) return fail(errno);
    struct stat st {};
    const bool exists = ::lstat(target_.c_str(), &st) == 0;
    const bool replaces_file = exists && !S_ISLNK(st.st_mode);
    if (replaces_file)
        if (int refused = refusal(st, target_)) return fail(refused);
    // Made private, then given the old file's mode before any byte is in it.
    const mode_t mode = replaces_file ? 0600 : 0666;
    if (temporary.empty()) {
        fd_ = create_fresh(target_, mode, temporary_);
    } else {
        temporary_ = temporary;
        if (::unlink(temporary_.c_str()) != 0 && errno != ENOENT) return fail(errno);
        fd_ = create_exclusive(temporary_, mode);
    }
    if (fd_ < 0) return fail(errno);
    if (replaces_file && !take_mode(fd_, st)) return fail(errno);
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
    if (flush()) {
        int result;
        do result = ::fsync(fd_);
        while (result != 0 && errno == EINTR);
        // EINVAL: a file system that cannot sync, not a write that failed.
        if (result != 0 && errno != EINVAL) fail(errno);
    }
    if (::close(fd_) != 0) fail(errno);
    fd_ = -1;
    if (error_ == 0 && !backup.empty() && !keep_backup(backup)) backup_failed_ = true;
    if (error_ == 0 && std::rename(temporary_.c_str(), target_.c_str()) != 0) fail(errno);
    if (error_ != 0) {
        ::unlink(temporary_.c_str());
        return false;
    }
    sync_directory(target_);
    if (!backup.empty() && directory_of(backup) != directory_of(target_)) sync_directory(backup);
    return true;
}

bool ReplacingFile::keep_backup(const std::string& backup) {
    struct stat st {};
    if (::lstat(target_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return true;  // nothing to keep
    // A second name for the old file is the backup, made under a fresh name
    // and renamed over the older one, which so stays until then.
    std::string linked;
    for (int attempt = 0; attempt < 100; ++attempt) {
        linked = fresh_name(backup);
        if (::link(target_.c_str(), linked.c_str()) == 0) {
            if (std::rename(linked.c_str(), backup.c_str()) == 0) return true;
            int cause = errno;
            ::unlink(linked.c_str());
            return fail(cause);
        }
        if (errno != EEXIST) break;
    }
    // No second name here (a file system without hard links, another user's
    // file): a complete copy replaces the older backup.
    int in = ::open(target_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0) return fail(errno);
    ReplacingFile copy;
    bool ok = copy.open(backup, Link::replace);
    if (ok && !take_mode(copy.fd_, st)) ok = copy.fail(errno);
    char buffer[1 << 16];
    while (ok) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = copy.fail(errno);
        if (n <= 0) break;
        ok = copy.write(std::string_view(buffer, static_cast<size_t>(n)));
    }
    ::close(in);
    if (ok && copy.commit()) return true;
    copy.discard();
    return fail(copy.error());
}

void ReplacingFile::discard() {
    pending_.clear();
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temporary_.c_str());
}

}  // namespace zor::platform
