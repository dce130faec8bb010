#pragma once
// Equipment constants, status variables and data variables: one grammar and
// one record, differing only in what the rules below name.

#include "compiler/blocks/block.h"

namespace zor::compiler {

struct VariableRules {
    ItemKey id_key;
    const char* prefix;  // "EC: "
    const char* vid_overflow_text;
    bool counts_vid_not_applied;  // "!! vid is not applied" is an error
    bool counts_vid_overflow;
    bool prints_vid_count;  // nominal of a list prints the count
};

extern const VariableRules kEcRules, kSvRules, kDvRules;

std::unique_ptr<Block> make_variable_block(const VariableRules& rules, std::string name);

}  // namespace zor::compiler
