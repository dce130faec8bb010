#include "textscan/item_formats.h"

#include <gtest/gtest.h>

namespace zor::textscan {
namespace {

TEST(ItemFormats, SourceNamesWithoutRegardToCase) {
    const std::pair<const char*, int> names[] = {
        {"L", 0},       {"B", 8},     {"A", 16},  {"J", 17},      {"U1", 41},
        {"U2", 42},     {"U4", 44},   {"U8", 40}, {"I1", 25},     {"I2", 26},
        {"I4", 28},     {"I8", 24},   {"F4", 36}, {"F8", 32},     {"BO", 9},
        {"Boolean", 9}, {"LEND", 61}, {"u4", 44}, {"boolEAN", 9}, {"lend", 61},
    };
    for (const auto& [name, code] : names) EXPECT_EQ(source_format_code(name), code) << name;
    // The picker's symbol is no source name; neither are near misses.
    for (const char* name : {"BOOL", "U3", "", "A ", "Bool", "X9"})
        EXPECT_EQ(source_format_code(name), -1) << name;
}

TEST(ItemFormats, EditorSymbolsAddBoolToTheSourceNames) {
    EXPECT_EQ(format_symbol_code("BOOL"), 9);
    EXPECT_EQ(format_symbol_code("bool"), 9);
    EXPECT_EQ(format_symbol_code("BO"), 9);
    EXPECT_EQ(format_symbol_code("Boolean"), 9);
    EXPECT_EQ(format_symbol_code("f8"), 32);
    EXPECT_EQ(format_symbol_code("X9"), -1);
}

TEST(ItemFormats, CodesNamesAndUnits) {
    const ItemFormat* b = find_format(kFormatBoolean);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->picker_name, "BOOL");
    EXPECT_EQ(b->source_name, "BO");
    EXPECT_EQ(b->unit, 1);
    EXPECT_EQ(find_format(28)->unit, 4);
    EXPECT_TRUE(find_format(28)->is_signed);
    EXPECT_FALSE(find_format(40)->is_signed);
    EXPECT_EQ(find_format(kFormatF8)->unit, 8);
    EXPECT_EQ(find_format(kFormatListEnd)->source_name, "LEND");
    EXPECT_EQ(find_format(kFormatInvalid), nullptr);
    EXPECT_EQ(find_format(7), nullptr);
    // Every code names itself back through both names.
    for (int code = 0; code < 256; ++code) {
        const ItemFormat* f = find_format(code);
        if (!f) continue;
        EXPECT_EQ(source_format_code(f->source_name), code);
        EXPECT_EQ(format_symbol_code(f->picker_name), code);
    }
}

}  // namespace
}  // namespace zor::textscan
