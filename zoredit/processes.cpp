// Beep and process start, through the platform layer.
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "zoredit/text_util.h"
#include "zoredit/zoredit.h"

extern "C" {

int ZorBeep(int kind, int /*duration_ms*/) {
    try {
        zor::platform::beep(kind);
    } catch (...) {
    }
    return 0;
}

int ZorCreateNormalProcess(const char* program, const char* file) {
    try {
        if (!program || !*program) return EINVAL;
        std::vector<std::string> args;
        if (file && *file) args.emplace_back(file);
        return zor::platform::start_process(program, args);
    } catch (...) {
        return ENOMEM;
    }
}

int ZorCreateProcess(const char* program, const char* arguments, const char* /*title*/,
                     char* message, int message_size) {
    int result = EINVAL;
    try {
        if (program && *program)
            result = zor::platform::start_process(
                program, zor::platform::split_command_line(arguments ? arguments : ""));
    } catch (...) {
        result = ENOMEM;
    }
    if (message)
        zor::edit::copy_message(result == 0 ? "" : std::strerror(result), message, message_size);
    return result;
}

}  // extern "C"
