#pragma once
// Where the compiler's messages go: "AAZZ" (rewritten with the latest one),
// standard output, the log, and a waiting editor.

#include <string>
#include <string_view>

#include "compiler/output/text_file.h"
#include "platform/platform.h"

namespace zor::compiler {

class MessagePath {
  public:
    // 0 when the log is open, else the errno that kept it shut.
    int open_log(const std::string& path) { return log_.open(path) ? 0 : log_.error(); }
    void close_log() { log_.close(); }
    // Port of a waiting editor, as read from "pass_file"; 0 when nobody waits.
    void connect_editor(int port) { editor_.open(port); }
    void disconnect_editor() { editor_.close(); }

    // All four ways, in order: "AAZZ", standard output, log, editor.
    void report_message(std::string_view text);
    void to_stdout(std::string_view text);
    void to_log(std::string_view text) { log_.write(text); }
    void to_stdout_and_log(std::string_view text) {
        to_stdout(text);
        to_log(text);
    }

  private:
    TextFile log_;
    platform::NotifyChannel editor_;
};

}  // namespace zor::compiler
