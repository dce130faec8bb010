#include "zoredit/values.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "textscan/textscan.h"
#include "zoredit/zoredit.h"

namespace zor::edit {
namespace {

TEST(Values, EveryPickerSymbolAndSourceNameHasItsCode) {
    const std::pair<const char*, int> symbols[] = {
        {"L", 0},   {"B", 8},   {"BOOL", 9}, {"BO", 9},    {"Boolean", 9}, {"A", 16},   {"J", 17},
        {"I1", 25}, {"I2", 26}, {"I4", 28},  {"I8", 24},   {"U1", 41},     {"U2", 42},  {"U4", 44},
        {"U8", 40}, {"F4", 36}, {"F8", 32},  {"LEND", 61}, {" u4 ", 44},   {"bool", 9},
    };
    for (const auto& [symbol, code] : symbols) EXPECT_EQ(zor_get_item_code(symbol), code) << symbol;
    EXPECT_LT(zor_get_item_code("X9"), 0);
    EXPECT_LT(zor_get_item_code(""), 0);
    EXPECT_LT(zor_get_item_code(nullptr), 0);
}

// A text stored under a numeric or Boolean format must be read as that
// value, never wrapped nor read as 0: each format's edges on both sides.
TEST(Values, ATextFitsAFormatOnlyAsAValueItHolds) {
    const std::pair<int, std::vector<const char*>> fits[] = {
        {ZOR_FMT_U1, {"0", "255", " 7 ", "0xFF", "x10", "+3"}},
        {ZOR_FMT_U2, {"65535", "0"}},
        {ZOR_FMT_U4, {"4294967295", "0xFFFFFFFF"}},
        {ZOR_FMT_U8, {"18446744073709551615"}},
        {ZOR_FMT_I1, {"-128", "127"}},
        {ZOR_FMT_I2, {"-32768", "32767"}},
        {ZOR_FMT_I4, {"-2147483648", "2147483647"}},
        {ZOR_FMT_I8, {"-9223372036854775808", "9223372036854775807"}},
        {ZOR_FMT_B, {"0", "255", "0x80"}},
        {ZOR_FMT_BOOLEAN, {"T", "false", "TRUE", "0", "1"}},
        {ZOR_FMT_F4, {"350.0", "-1.5e3", "3.4e38", "+2", "7"}},
        {ZOR_FMT_F8, {"1e300", "-0.25"}},
        {ZOR_FMT_A, {"abc", "", "1e999"}},
        {ZOR_FMT_J, {"\x82\xa0"}},
        {ZOR_FMT_L, {"anything"}},
        {255, {"a format the compiler refused"}},
    };
    const std::pair<int, std::vector<const char*>> refused[] = {
        {ZOR_FMT_U1, {"256", "300", "-1", "abc", "", "1.5", "0x100", "7 7"}},
        {ZOR_FMT_U2, {"65536", "70000"}},
        {ZOR_FMT_U4, {"-1", "4294967296"}},
        {ZOR_FMT_U8, {"18446744073709551616"}},
        {ZOR_FMT_I1, {"-129", "128"}},
        {ZOR_FMT_I2, {"-32769", "32768"}},
        {ZOR_FMT_I4, {"-2147483649", "2147483648"}},
        {ZOR_FMT_I8, {"-9223372036854775809", "9223372036854775808"}},
        {ZOR_FMT_B, {"256", "-1"}},
        {ZOR_FMT_BOOLEAN, {"abc", "tru", "256"}},
        {ZOR_FMT_F4, {"abc", "1e999", "3.5e38", "nan", "inf", "1.5x", ""}},
        {ZOR_FMT_F8, {"1e999", "-inf", "1..2"}},
    };
    for (const auto& [code, texts] : fits)
        for (const char* t : texts) EXPECT_TRUE(text_fits_format(code, t)) << code << " " << t;
    for (const auto& [code, texts] : refused)
        for (const char* t : texts) EXPECT_FALSE(text_fits_format(code, t)) << code << " " << t;
}

TEST(Values, NamesAndUnitSizesFollowTheCode) {
    EXPECT_STREQ(zor_get_item_name(9), "BOOL");  // what the picker shows
    EXPECT_STREQ(zor_get_item_name(44), "U4");
    EXPECT_STREQ(zor_get_item_name(61), "LEND");
    EXPECT_STREQ(zor_get_item_name(255), "");
    for (int code = 0; code < 64; ++code) {
        const char* name = zor_get_item_name(code);
        if (*name) {
            EXPECT_EQ(zor_get_item_code(name), code) << name;
        }
    }
    EXPECT_EQ(zor_get_item_unit_size(41), 1);
    EXPECT_EQ(zor_get_item_unit_size(42), 2);
    EXPECT_EQ(zor_get_item_unit_size(36), 4);
    EXPECT_EQ(zor_get_item_unit_size(24), 8);
    EXPECT_EQ(zor_get_item_unit_size(0), 4);
    EXPECT_EQ(zor_get_item_unit_size(7), 0);
}

TEST(Values, AtoiReadsDecimalAndHexadecimal) {
    EXPECT_EQ(zor_atoi(" 0x1F "), 31);
    EXPECT_EQ(zor_atoi("x10"), 16);
    EXPECT_EQ(zor_atoi("-5"), -5);
    EXPECT_EQ(zor_atoi("12abc"), 12);
    EXPECT_EQ(zor_atoi("abc"), 0);
    EXPECT_EQ(zor_atoi("4294967295"), -1);  // wraps as the editor's 32-bit cells do
    EXPECT_EQ(zor_atoi(nullptr), 0);
}

TEST(Values, SetFillsEveryElementAndEditShowsThem) {
    int16_t buffer[3] = {};
    int32_t v = -2;
    EXPECT_EQ(zor_set_vdval(buffer, &v, 26, 3, 3), 6);
    EXPECT_EQ(buffer[2], -2);
    char text[32];
    EXPECT_STREQ(zor_edit_vdval(text, 26, buffer, 2, sizeof text), "-2");
    EXPECT_STREQ(zor_edit_vdval(text, 42, buffer, 0, sizeof text), "65534");  // the same bits as U2

    float f = 1.5f;
    float fbuf[1];
    EXPECT_EQ(zor_set_vdval(fbuf, &f, 36, 1, 1), 4);
    EXPECT_STREQ(zor_edit_vdval(text, 36, fbuf, 0, sizeof text), "1.5");
    double d = 0.1;
    EXPECT_STREQ(zor_edit_vdval(text, 32, &d, 0, sizeof text), "0.1");  // shortest exact form

    uint8_t b = 1;
    EXPECT_STREQ(zor_edit_vdval(text, 9, &b, 0, sizeof text), "1");
    EXPECT_STREQ(zor_edit_vdval(text, 44, nullptr, 0, sizeof text), "");
}

TEST(Values, TextsAreCopiedWholeOrRefused) {
    char buf[6];
    EXPECT_EQ(zor_set_vdval(buf, "abc", 16, 5, 5), 4);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(zor_set_vdval(buf, "abcdef", 16, 5, 5), ZOR_E_NOSPACE);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(zor_set_vdval(buf, "abc", 7, 5, 5), ZOR_E_FAIL);
    char text[4];
    EXPECT_EQ(zor_edit_vdval(text, 16, "long text", 0, sizeof text), nullptr);
    EXPECT_STREQ(text, "");
    EXPECT_STREQ(zor_edit_vdval(text, 16, "abc", 0, sizeof text), "abc");
}

// A value text as written compares with an editor's buffer by value, so
// "0x10" and 16 are one value of U4, and "TRUE" is 1 of BOOLEAN.
TEST(Values, KeysCompareTextsWithBuffersByValue) {
    uint32_t sixteen = 16;
    EXPECT_EQ(value_key_from_text(44, std::string("0x10")), value_key_from_buffer(44, &sixteen));
    uint8_t one = 1;
    EXPECT_EQ(value_key_from_text(9, std::string("TRUE")), value_key_from_buffer(9, &one));
    float f = 350.0f;
    EXPECT_EQ(value_key_from_text(36, std::string("350.0")), value_key_from_buffer(36, &f));
    EXPECT_EQ(value_key_from_text(16, std::nullopt), value_key_from_buffer(16, ""));
    EXPECT_NE(value_key_from_text(44, std::nullopt), value_key_from_buffer(44, &sixteen));
    void* buffer = value_buffer_from_text(42, 3, std::string("7"));
    EXPECT_EQ(static_cast<uint16_t*>(buffer)[2], 7);
    ZorFreeMem(buffer);
}

// A BOOLEAN value reads back as the language reads it (s_atobool): T/F by
// the first letter, otherwise decimal, so "0x1" is 0 as the equipment sees it.
TEST(Values, BooleanTextsReadBackAsTheLanguageReadsThem) {
    auto element = [](const char* text) {
        void* buffer = value_buffer_from_text(kFormatBoolean, 1, std::string(text));
        const int value = *static_cast<uint8_t*>(buffer);
        ZorFreeMem(buffer);
        return value;
    };
    EXPECT_EQ(element("TRUE"), 1);
    EXPECT_EQ(element("false"), 0);
    EXPECT_EQ(element(" 2"), 2);
    EXPECT_EQ(element("0x1"), 0);
    EXPECT_EQ(element("x1"), 0);
    for (const char* text : {"TRUE", "f", "0x1", " 7", "yes"})
        EXPECT_EQ(element(text), s_atobool(text)) << text;
}

TEST(Memory, AllocIsZeroedAndOneHeapWithFree) {
    auto* p = static_cast<unsigned char*>(ZorAllocMem(16));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(p[i], 0);
    EXPECT_EQ(ZorMemSet(p, 0xab, 16), p);
    EXPECT_EQ(p[15], 0xab);
    ZorFreeMem(p);
    ZorFreeMem(ZorAllocMem(0));
    ZorFreeMem(nullptr);
}

}  // namespace
}  // namespace zor::edit
