#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/platform.h"

namespace zor::platform {

bool rename_replacing(const std::string& from, const std::string& to) {
    // POSIX rename() already replaces the target atomically.
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool remove_file(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool file_exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace zor::platform
