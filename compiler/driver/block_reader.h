#pragma once

#include <string>

#include "compiler/blocks/block_kinds.h"
#include "compiler/context/compilation.h"

namespace zor::compiler {

// Reads one block's body up to its closing brace and completes it: ID
// lines, duplicate checks, record. 0 on success, -1 when the block failed.
int compile_block(Compilation& c, const BlockKind& kind, std::string name);

}  // namespace zor::compiler
