#include <cerrno>
#include <cstring>

#include "platform/platform.h"

namespace zor::platform {

// The file functions refuse what is no regular file with these two values;
// the system's own texts for them would not say so.
std::string file_error_cause(int error) {
    if (error == EISDIR) return "is a directory";
    if (error == EINVAL) return "is not a regular file";
    return std::strerror(error);
}

}  // namespace zor::platform
