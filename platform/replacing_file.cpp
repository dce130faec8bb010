// What replacing a file does the same on every system; the rest is in
// replace_file_posix.cpp and replace_file_win32.cpp.
#include <cerrno>

#include "platform/platform.h"

namespace zor::platform {
namespace {

constexpr size_t kPendingLimit = 1 << 16;

}  // namespace

bool ReplacingFile::fail(int error) {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
    return false;
}

bool ReplacingFile::write(std::string_view bytes) {
    if (fd_ < 0 || error_ != 0) return false;
    pending_.append(bytes);
    return pending_.size() < kPendingLimit || flush();
}

}  // namespace zor::platform
