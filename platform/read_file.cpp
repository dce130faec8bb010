// What reading a whole file says the same on every system; the reading
// itself is in files_posix.cpp and files_win32.cpp.
#include <cerrno>
#include <cstring>

#include "platform/platform.h"
#include "platform/read_regular.h"

namespace zor::platform {

bool read_regular_file(const std::string& path, std::string& bytes) {
    return read_regular(path, bytes) == ReadStep::done;
}

bool read_whole_file(const std::string& path, std::string& bytes, std::string& error) {
    switch (read_regular(path, bytes)) {
        case ReadStep::done: return true;
        case ReadStep::open: error = "cannot open " + path; return false;
        case ReadStep::read:
            error = "cannot read " + path + ": " + std::strerror(errno);
            return false;
    }
    return false;
}

}  // namespace zor::platform
