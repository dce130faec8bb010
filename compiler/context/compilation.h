#pragma once
// The state of one compile run and the reporting operations every block
// compiler uses. One run compiles one source file.

#include <array>
#include <string>
#include <string_view>

#include "compiler/context/definition_registry.h"
#include "compiler/context/message_path.h"
#include "compiler/context/source_reader.h"
#include "compiler/output/id_files.h"
#include "compiler/output/sections.h"

namespace zor::compiler {

struct Compilation {
    MessagePath messages;
    SourceReader source;
    SectionFiles sections;
    IdFiles id_files;
    std::array<DefinitionRegistry, kSectionCount> registries;

    int revision = 2;
    int header_line_number = 0;
    std::string header_line;  // as read, line end included
    std::string item_line;    // the body line being compiled, as read
    int error_count = 0;
    int warning_count = 0;

    void report_message(std::string_view text) { messages.report_message(text); }
    void report_counted_error(std::string_view text);
    // Quotes a failing item line; does not count.
    void report_item_error(int line_number, std::string_view line_text);
    // Names the block by its header line; does not count.
    void report_block_error(std::string_view text);
    void report_block_warning(std::string_view text);
    // Reads through the next line whose first non-blank character is '}'.
    void skip_block();

  private:
    std::string block_message(const char* kind, std::string_view text) const;
};

// The text up to its first CR or LF.
std::string_view cut_at_line_end(std::string_view text);

}  // namespace zor::compiler
