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

namespace {

// The names are ASCII: a text with another byte folds to none of them, and an
// ASCII text folds letter by letter. Runs for every format an item names.
bool folds_to(std::string_view text, std::string_view name) {
    if (text.size() != name.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < text.size(); ++i)
        if (lower(text[i]) != lower(name[i])) return false;
    return true;
}

}  // namespace

int source_format_code(std::string_view name) {
    for (const auto& f : kFormats)
        if (folds_to(name, f.source_name)) return f.code;
    return folds_to(name, kBooleanName) ? kFormatBoolean : -1;
}

int format_symbol_code(std::string_view symbol) {
    const std::string folded = fold_case(symbol);
    for (const auto& f : kFormats)
        if (folded == fold_case(f.picker_name)) return f.code;
    return source_format_code(symbol);
}

}  // namespace zor::textscan
