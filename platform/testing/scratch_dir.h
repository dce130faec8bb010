#pragma once
// A fresh directory under the system's temporary directory for one test,
// removed with everything in it at the end. Names inside it come back as
// the Shift-JIS strings the platform functions take.

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace zor::platform::testing {

class ScratchDir {
  public:
    explicit ScratchDir(const std::string& tag) {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() / (tag + std::to_string(stamp));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string operator/(const std::string& name) const { return path_name(path_) + "/" + name; }
    std::string name() const { return path_name(path_); }

  private:
    std::filesystem::path path_;
};

}  // namespace zor::platform::testing
