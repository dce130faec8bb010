#include "compiler/blocks/format_spec.h"

#include <string_view>

#include "compiler/context/definition_registry.h"

namespace zor::compiler {
namespace {

struct FormatName {
    std::string_view name;  // lower case
    int code;
};

constexpr FormatName kFormatNames[] = {
    {"l", 0},   {"b", 8},   {"a", 16},  {"j", 17},  {"u1", 41}, {"u2", 42},
    {"u4", 44}, {"u8", 40}, {"lend", 61}, {"i1", 25}, {"i2", 26}, {"i4", 28},
    {"i8", 24}, {"f4", 36}, {"f8", 32}, {"bo", 9},  {"boolean", 9},
};

FormatSpec refuse(Compilation& c, FormatSpec spec) {
    c.report_block_error(" format err ");
    spec.valid = false;
    spec.code = kFormatInvalid;
    return spec;
}

}  // namespace

std::optional<int> format_code(const std::string& name) {
    std::string folded = fold_case(name);
    for (const auto& f : kFormatNames)
        if (folded == f.name) return f.code;
    return std::nullopt;
}

FormatSpec read_format_spec(Compilation& c, const Fields& f) {
    FormatSpec spec;
    auto code = f.size() > 2 ? format_code(f[2]) : std::nullopt;
    if (!code) return refuse(c, spec);
    spec.code = *code;
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
