#pragma once
// The block keywords and what differs between their kinds beyond the items
// each block accepts.

#include <memory>
#include <string>
#include <string_view>

#include "compiler/blocks/block.h"
#include "compiler/output/sections.h"

namespace zor::compiler {

struct BlockKind {
    const char* keyword;
    Section section;
    const char* failure_text;      // logged when the body fails
    bool failure_through_message;  // ... through the whole message path
    bool para_error_logged_again;  // a parameter error line goes to the log twice
    bool eof_logged_again;         // so does the end-of-file message
    std::unique_ptr<Block> (*make)(std::string name);  // null: reserved keyword
};

// Case-insensitive look-up; null when the keyword is not a block keyword.
const BlockKind* find_block_kind(std::string_view keyword);

}  // namespace zor::compiler
