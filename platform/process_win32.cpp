#include <windows.h>

#include "platform/platform.h"
#include "platform/win32.h"

namespace zor::platform {
namespace {

// Quotes one argument so that the child's command-line splitting (the same
// rules as split_command_line) gives it back unchanged.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');  // before the closing quote
    return out + L"\"";
}

}  // namespace

int start_process(const std::string& program, const std::vector<std::string>& args) {
    std::wstring command = quoted(win32::wide(program));
    for (const auto& a : args) command += L" " + quoted(win32::wide(a));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // No handles inherited, nothing waited for: the child lives on its own.
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP,
                        nullptr, nullptr, &startup, &process))
        return win32::errno_from_last_error();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// Windows has no SIGPIPE: a write to a closed pipe already just fails.
void ignore_broken_pipe() {}

// The Windows heap keeps freed memory for the process already.
void keep_freed_memory() {}

}  // namespace zor::platform
