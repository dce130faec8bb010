#include "secs/sml.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace zor::secs {
namespace {

// "テスト" and "ソ" in Shift-JIS; the second byte of "ソ" is '\'.
const std::string kTestSjis = "\x83\x65\x83\x58\x83\x67";
const std::string kSoSjis = "\x83\x5C";

TEST(Sml, WritesItemsAndMessagesOnOneLine) {
    Message s1f4{.device_id = 1,
                 .stream = 1,
                 .function = 4,
                 .wait = true,
                 .system_bytes = 9,
                 .body = Item::list({Item::u4(1001), Item::ascii("x")})};
    EXPECT_EQ(to_sml(s1f4), "S1F4 W <L[2] <U4 1001> <A \"x\">>");
    EXPECT_EQ(to_sml(Message{.stream = 1, .function = 13, .body = {}}), "S1F13");

    struct Case {
        Item item;
        const char* sml;
    };
    const Case cases[] = {
        {Item(), "<L[0]>"},
        {Item::list({Item(), Item::empty(Format::u4)}), "<L[2] <L[0]> <U4>>"},
        {Item::binary("\x01\xFF"), "<B 0x01 0xFF>"},
        {*Item::from_data(Format::boolean, std::string("\x01\x00\x02", 3)),
         "<BOOLEAN TRUE FALSE 0x02>"},
        {Item::i1(-1), "<I1 -1>"},
        {Item::i2(-300), "<I2 -300>"},
        {Item::i4(std::numeric_limits<std::int32_t>::min()), "<I4 -2147483648>"},
        {Item::i8(std::numeric_limits<std::int64_t>::min()), "<I8 -9223372036854775808>"},
        {Item::u1(255), "<U1 255>"},
        {Item::u2(65535), "<U2 65535>"},
        {Item::unsigned_array(Format::u4, std::vector<std::uint64_t>{1, 2, 3}), "<U4 1 2 3>"},
        {Item::u8(UINT64_MAX), "<U8 18446744073709551615>"},
        {Item::f4(0.1f), "<F4 0.1>"},
        {Item::f8(0.1), "<F8 0.1>"},
        {Item::f8(-2.5e300), "<F8 -2.5e+300>"},
        {Item::empty(Format::ascii), "<A \"\">"},
        {Item::jis(kTestSjis), "<J \"テスト\">"},
        {Item::ascii(kSoSjis + "\"\\"), "<A \"ソ\\\"\\\\\">"},
        {Item::ascii("a\r\n\x7F"), "<A \"a\\x0D\\x0A\\x7F\">"},
        // No Shift-JIS character: a lone lead byte at the end, 0xFF, a lead
        // byte before a control byte.
        {Item::ascii("\xFF"
                     "b\x83\x0A\x83"),
         "<A \"\\xFFb\\x83\\x0A\\x83\">"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(to_sml(c.item), c.sml);
        SmlItem back = parse_sml_item(c.sml);
        EXPECT_EQ(back.error, "") << c.sml;
        EXPECT_EQ(back.item, c.item) << c.sml;
    }
}

TEST(Sml, ReadsTheLooserFormsPeopleWrite) {
    SmlItem parsed = parse_sml_item(
        "<l\n  <u4 1 0x10>\n  <A \"ab\" 0x0D \"c\">\n  <BOOLEAN T F 1>\n  <I2[2] -1 0x7FFF>\n"
        "  <F4 1e3> <B 7>>");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.item,
              Item::list({Item::unsigned_array(Format::u4, std::vector<std::uint64_t>{1, 16}),
                          Item::ascii("ab\rc"), Item::booleans({true, false, true}),
                          Item::signed_array(Format::i2, std::vector<std::int64_t>{-1, 32767}),
                          Item::f4(1000), Item::binary("\x07")}));

    SmlMessage message = parse_sml_message("  s6f11 w <L[1] <A \"テスト\">>.\n");
    ASSERT_EQ(message.error, "");
    EXPECT_EQ(message.message.stream, 6);
    EXPECT_EQ(message.message.function, 11);
    EXPECT_TRUE(message.message.wait);
    EXPECT_EQ(message.message.body, Item::list({Item::ascii(kTestSjis)}));
    message = parse_sml_message("S1F1");
    ASSERT_EQ(message.error, "");
    EXPECT_FALSE(message.message.wait);
    EXPECT_FALSE(message.message.body);
}

TEST(Sml, SaysWhatIsWrongAndWhere) {
    struct Bad {
        const char* text;
        const char* error;
    };
    const Bad items[] = {
        {"<U1 256>", "SML at byte 4: '256' is no U1"},
        {"<I1 -129>", "SML at byte 4: '-129' is no I1"},
        {"<U4 -1>", "SML at byte 4: '-1' is no U4"},
        {"<F4 x>", "SML at byte 4: 'x' is no F4"},
        {"<X 1>", "SML at byte 1: 'X' is no item format"},
        {"<L[2] <L[0]>>", "SML at byte 1: the count says 2 but there are 1"},
        {"<A \"abc>", "SML at byte 3: a text without its closing '\"'"},
        {"<A \"\\q\">", "SML at byte 4: an escape other than \\\", \\\\ or \\xNN"},
        {"<A \"€\">", "SML at byte 4: a character Shift-JIS cannot hold, or no UTF-8"},
        {"<A 300>", "SML at byte 3: a byte above 0xFF"},
        {"<U4 1", "SML at byte 5: expected '>'"},
        {"<U4 1> <U4 2>", "SML at byte 7: unexpected text after the end"},
        {"", "SML at byte 0: expected '<'"},
    };
    for (const Bad& b : items) EXPECT_EQ(parse_sml_item(b.text).error, b.error) << b.text;
    const Bad messages[] = {
        {"S128F1", "SML at byte 0: 'S128F1' is no SxFy"},
        {"S1F256", "SML at byte 0: 'S1F256' is no SxFy"},
        {"S1F1x", "SML at byte 0: 'S1F1x' is no SxFy"},
        {"S1F1 X", "SML at byte 5: unexpected text after the end"},
        {"S1F1 WW", "SML at byte 5: expected W, an item or the end"},
    };
    for (const Bad& b : messages) EXPECT_EQ(parse_sml_message(b.text).error, b.error) << b.text;
    // Deep nesting is refused, not recursed into without bound.
    std::string deep(100000, '<');
    EXPECT_NE(parse_sml_item(deep).error, "");
    std::string nested;
    for (int i = 0; i < 100; ++i) nested += "<L ";
    EXPECT_EQ(parse_sml_item(nested).error, "SML at byte 192: lists nested too deep");
}

}  // namespace
}  // namespace zor::secs
