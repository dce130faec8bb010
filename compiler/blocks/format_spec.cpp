#include "compiler/blocks/format_spec.h"

namespace zor::compiler {
namespace {

FormatSpec refuse(Compilation& c, FormatSpec spec) {
    c.report_block_error(" format err ");
    spec.valid = false;
    spec.code = kFormatInvalid;
    return spec;
}

}  // namespace

FormatSpec read_format_spec(Compilation& c, const Fields& f) {
    FormatSpec spec;
    const int code = f.size() > 2 ? textscan::source_format_code(f[2]) : -1;
    if (code < 0) return refuse(c, spec);
    spec.code = code;
    if (f.size() < 6) {
        spec.size = 1;
        spec.max_size = 0;
        return spec;
    }
    bool long_form = f.size() >= 8;
    if (f[3] != "[" || f[long_form ? 7 : 5] != "]") return refuse(c, spec);
    spec.size = decimal_value(f[4]);
    if (!long_form) {
        spec.max_size = spec.size;
    } else if (spec.code == kFormatAscii && f[5] == "..") {
        spec.max_size = decimal_value(f[6]);
        spec.value_index = 8;
    }
    return spec;
}

}  // namespace zor::compiler
