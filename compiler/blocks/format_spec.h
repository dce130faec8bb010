#pragma once
// The item format specification shared by every block that has one:
// a format name, optionally followed by [N] or [N..M], and for some items
// a text value after it.

#include "compiler/blocks/block.h"
#include "textscan/item_formats.h"

namespace zor::compiler {

using textscan::kFormatAscii;
using textscan::kFormatInvalid;
using textscan::kFormatList;
using textscan::kFormatListEnd;

struct FormatSpec {
    bool valid = true;
    int code = kFormatInvalid;
    int32_t size = 0;
    int32_t max_size = 0;
    // Where a value written after the specification stands on the line.
    size_t value_index = 6;
};

// Reads the specification from fields[2] on. An unknown name or misplaced
// brackets report " format err " and give an invalid spec with format code
// 255 and the sizes read before the fault.
FormatSpec read_format_spec(Compilation& c, const Fields& fields);

}  // namespace zor::compiler
