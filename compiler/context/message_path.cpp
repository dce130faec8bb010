#include "compiler/context/message_path.h"

#include <cstdio>

namespace zor::compiler {

void MessagePath::report_message(std::string_view text) {
    write_text_file("AAZZ", text);
    to_stdout(text);
    to_log(text);
    editor_.send(text);
}

void MessagePath::to_stdout(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace zor::compiler
