#include "platform/platform.h"

// The same on every system: the editor hands zoredit one text of arguments.
namespace zor::platform {

std::vector<std::string> split_command_line(std::string_view text) {
    std::vector<std::string> args;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (i >= text.size()) break;
        std::string arg;
        bool quoted = false;
        for (; i < text.size(); ++i) {
            char c = text[i];
            if (!quoted && (c == ' ' || c == '\t')) break;
            if (c == '\\') {
                // Backslashes are literal unless they precede a quote.
                size_t n = 0;
                while (i + n < text.size() && text[i + n] == '\\') ++n;
                if (i + n < text.size() && text[i + n] == '"') {
                    arg.append(n / 2, '\\');
                    if (n % 2 == 1) {
                        arg += '"';
                        i += n;
                    } else {
                        i += n - 1;
                    }
                } else {
                    arg.append(n, '\\');
                    i += n - 1;
                }
                continue;
            }
            if (c == '"') {
                quoted = !quoted;
                continue;
            }
            arg += c;
        }
        args.push_back(std::move(arg));
    }
    return args;
}

}  // namespace zor::platform
