#include "textscan/item_formats.h"

#include "textscan/fold_case.h"

namespace zor::textscan {
namespace {

constexpr ItemFormat kFormats[] = {
    {0, "L", "L", 4, true},        {8, "B", "B", 1, false},    {9, "BOOL", "BO", 1, false},
    {16, "A", "A", 1, false},      {17, "J", "J", 1, false},   {24, "I8", "I8", 8, true},
    {25, "I1", "I1", 1, true},     {26, "I2", "I2", 2, true},  {28, "I4", "I4", 4, true},
    {32, "F8", "F8", 8, true},     {36, "F4", "F4", 4, true},  {40, "U8", "U8", 8, false},
    {41, "U1", "U1", 1, false},    {42, "U2", "U2", 2, false}, {44, "U4", "U4", 4, false},
    {61, "LEND", "LEND", 4, true},
};

// The source's long spelling of BO.
constexpr std::string_view kBooleanName = "boolean";

}  // namespace

const ItemFormat* find_format(int code) {
    for (const auto& f : kFormats)
        if (f.code == code) return &f;
    return nullptr;
}

int source_format_code(std::string_view name) {
    for (const auto& f : kFormats)
        if (folds_equal(name, f.source_name)) return f.code;
    return folds_equal(name, kBooleanName) ? kFormatBoolean : -1;
}

int format_symbol_code(std::string_view symbol) {
    for (const auto& f : kFormats)
        if (folds_equal(symbol, f.picker_name)) return f.code;
    return source_format_code(symbol);
}

}  // namespace zor::textscan
