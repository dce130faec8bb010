#include "compiler/context/compilation.h"

#include "compiler/output/text_format.h"

namespace zor::compiler {

std::string_view cut_at_line_end(std::string_view text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

void Compilation::report_counted_error(std::string_view text) {
    ++error_count;
    report_message(text);
}

void Compilation::report_item_error(int line_number, std::string_view line_text) {
    std::string message = format("  ! error line-%d \"", line_number);
    message += cut_at_line_end(line_text);
    message += "\"\n";
    report_message(message);
    messages.to_stdout(message);
}

// A block message names the header line by number and quotes it whole.
std::string Compilation::block_message(const char* kind, std::string_view text) const {
    std::string message = format("  %s line-%d ", kind, header_line_number);
    message += text;
    message += "\n    ";
    message += header_line;
    message += "\n";
    return message;
}

void Compilation::report_block_error(std::string_view text) {
    report_message(block_message("!", text));
}

void Compilation::report_block_warning(std::string_view text) {
    report_message(block_message("# warning", text));
    ++warning_count;
}

void Compilation::skip_block() {
    std::string line;
    while (source.read_line(line)) {
        size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line[first] == '}') return;
    }
}

}  // namespace zor::compiler
