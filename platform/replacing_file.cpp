// What replacing a file does the same on every system; the rest is in
// replace_file_posix.cpp and replace_file_win32.cpp.
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <random>

#include "platform/fresh_name.h"
#include "platform/platform.h"

namespace zor::platform {
namespace {

constexpr size_t kPendingLimit = 1 << 16;

}  // namespace

std::string fresh_name(const std::string& path) {
    static std::atomic<uint64_t> state{(uint64_t{std::random_device{}()} << 32) ^
                                       std::random_device{}()};
    uint64_t x = state.fetch_add(0x9E3779B97F4A7C15ull);
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = path + ".tmp-";
    for (int i = 0; i < 8; ++i, x /= 36) name += kLetters[x % 36];
    return name;
}

bool ReplacingFile::fail(int error) {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
    return false;
}

bool ReplacingFile::write(std::string_view bytes) {
    if (fd_ < 0 || error_ != 0) return false;
    pending_.append(bytes);
    return pending_.size() < kPendingLimit || flush();
}

int replace_whole_file(const std::string& path, std::string_view bytes) {
    ReplacingFile file;
    if (file.open(path) && file.write(bytes) && file.commit()) return 0;
    file.discard();
    return file.error();
}

}  // namespace zor::platform
