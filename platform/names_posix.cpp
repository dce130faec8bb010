#include "platform/platform.h"

namespace zor::platform {

// File names are bytes here: the Shift-JIS name is the name on disk.
std::filesystem::path native_path(const std::string& name) { return std::filesystem::path(name); }

std::string path_name(const std::filesystem::path& path) { return path.string(); }

size_t file_name_start(std::string_view path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

bool takes_drive_paths() { return false; }

std::vector<std::string> program_arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace zor::platform
