#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/platform.h"
#include "platform/win32.h"

namespace zor::platform {
namespace {

bool is_lead_byte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

std::filesystem::path native_path(const std::string& name) {
    return std::filesystem::path(win32::wide(name));
}

std::string path_name(const std::filesystem::path& path) { return win32::narrow(path.native()); }

size_t file_name_start(std::string_view path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        // The second byte of 表 or ソ is 0x5C, a backslash that separates nothing.
        if (is_lead_byte(c) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '/' || c == '\\' || (c == ':' && i == 1)) start = i + 1;
    }
    return start;
}

bool takes_drive_paths() { return true; }

std::vector<std::string> program_arguments(int argc, char** argv) {
    // The narrow argv is in the system's code page, which need not be 932:
    // the wide command line has every character.
    int count = 0;
    LPWSTR* wide_argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide_argv == nullptr || count != argc) {
        if (wide_argv != nullptr) LocalFree(wide_argv);
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) args.push_back(win32::narrow(wide_argv[i]));
    LocalFree(wide_argv);
    return args;
}

}  // namespace zor::platform
