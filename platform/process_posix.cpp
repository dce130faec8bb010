#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/platform.h"

namespace zor::platform {

int start_process(const std::string& program, const std::vector<std::string>& args) {
    // The exec result travels back through a close-on-exec pipe: EOF means
    // the program started, an int means exec failed with that errno.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return errno;
    pid_t child = ::fork();
    if (child < 0) {
        int err = errno;
        ::close(report[0]);
        ::close(report[1]);
        return err;
    }
    if (child == 0) {
        // Double fork: the grandchild is adopted by init, so nobody has to
        // wait for it and no zombie stays behind.
        ::close(report[0]);
        pid_t grandchild = ::fork();
        if (grandchild < 0) {
            int err = errno;
            (void)!::write(report[1], &err, sizeof err);
            ::_exit(1);
        }
        if (grandchild > 0) ::_exit(0);
        ::setsid();
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(program.c_str(), argv.data());
        int err = errno;
        (void)!::write(report[1], &err, sizeof err);
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n;
    do {
        n = ::read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    return n == static_cast<ssize_t>(sizeof err) ? (err != 0 ? err : ENOEXEC) : 0;
}

void ignore_broken_pipe() { std::signal(SIGPIPE, SIG_IGN); }

void keep_freed_memory() {
#ifdef __GLIBC__
    // Without these, glibc maps a block above 128 KiB afresh each time and
    // trims the heap top after each free: every large message would fault
    // in its pages again.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}

}  // namespace zor::platform
