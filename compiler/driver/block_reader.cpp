#include "compiler/driver/block_reader.h"

#include <cstring>

#include "compiler/driver/split_line.h"
#include "compiler/output/text_format.h"
#include "textscan/sjis.h"
#include "textscan/textscan.h"

namespace zor::compiler {
namespace {

constexpr const char* kItemSeparators = " ,{}[]:\t";

std::string trimmed(const std::string& line) {
    std::string copy = line;
    trim(copy.data());
    copy.resize(std::strlen(copy.c_str()));
    return copy;
}

// A value that holds a line end (an escape at the end of a line takes it
// along) or ends inside a Shift-JIS character would split the record line of
// the object file or swallow its line end: such an item fails.
bool breaks_record_line(const Fields& fields) {
    for (size_t i = 2; i < fields.size(); ++i) {
        if (fields[i].find_first_of("\r\n") != std::string::npos ||
            textscan::ends_with_lone_lead_byte(fields[i]))
            return true;
    }
    return false;
}

int complete_block(Compilation& c, const BlockKind& kind, const Block& block) {
    block.write_ids(c.id_files);
    DefinitionRegistry& registry = c.registries[static_cast<int>(kind.section)];
    if (registry.full()) {
        c.report_block_error(" id : more than 8192 definitions of this kind ");
        return -1;
    }
    if (!registry.add_id(block.key())) {
        c.report_block_error(" id : multi-define error ");
        return -1;
    }
    if (!registry.add_name(block.name())) {
        c.report_block_error(" name : multi-define error ");
        return -1;
    }
    if (const char* refusal = block.refusal()) {
        c.report_block_error(refusal);
        return -1;
    }
    c.sections.write(kind.section, block.record(c).line());
    return 0;
}

}  // namespace

int compile_block(Compilation& c, const BlockKind& kind, std::string name) {
    std::unique_ptr<Block> block = kind.make(std::move(name));
    std::string line;
    Fields fields;
    bool failed = false;
    for (;;) {
        if (!c.source.read_line(line)) {
            std::string text =
                format("line lc=%d unexpected EOF detected ", c.source.line_counter());
            c.report_message(text);
            if (kind.eof_logged_again) c.messages.to_log(text + "\n");
            break;
        }
        std::string text = trimmed(line);
        if (text[0] == '}') break;
        split_line(text, kItemSeparators, fields);
        if (fields.empty()) continue;
        for (auto& field : fields) {
            if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
                field = field.substr(1, field.size() - 2);
        }
        if (fields.size() > 2 && fields[1][0] == ':') {
            c.item_line = line;
            auto key = find_item_key(fields[0]);
            if (!key || breaks_record_line(fields) || !block->item(c, *key, fields)) {
                c.report_item_error(c.source.line_counter(), line);
                failed = true;
                break;
            }
        } else {
            std::string message = format("   !!! line-%d para error ", c.source.line_counter());
            message += line.substr(line.find_first_not_of(" \t") == std::string::npos
                                       ? line.size()
                                       : line.find_first_not_of(" \t"));
            c.report_counted_error(message);
            if (kind.para_error_logged_again) c.messages.to_log(message + "\n");
        }
    }
    if (failed) {
        if (kind.failure_through_message)
            c.report_message(kind.failure_text);
        else
            c.messages.to_log(kind.failure_text);
        return -1;
    }
    return complete_block(c, kind, *block);
}

}  // namespace zor::compiler
