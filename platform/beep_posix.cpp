#include <fcntl.h>
#include <unistd.h>

#include <atomic>

#include "platform/platform.h"

namespace zor::platform {
namespace {
std::atomic<int> beeps{0};
}

void beep(int /*kind*/) {
    ++beeps;
    // The terminal bell, when the program has a controlling terminal.
    int fd = ::open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        (void)!::write(fd, "\a", 1);
        ::close(fd);
    }
}

int beep_count() { return beeps.load(); }

}  // namespace zor::platform
