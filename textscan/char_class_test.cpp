#include <gtest/gtest.h>

#include <cstring>

#include "textscan/textscan.h"

namespace {

TEST(KanjiCk, LeadByteRangesAndTheirBorders) {
    for (int b : {0x81, 0x95, 0x9F, 0xE0, 0xFC}) EXPECT_EQ(kanji_ck(b), 1) << b;
    for (int b : {0x00, 0x5C, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF}) EXPECT_EQ(kanji_ck(b), 0) << b;
    // A signed char from a text counts the same as its byte.
    EXPECT_EQ(kanji_ck(static_cast<char>(0x95)), 1);
    EXPECT_EQ(kanji_ck(-1), 0);
}

TEST(CharClass, LettersDigitsAndNames) {
    EXPECT_EQ(a_ck('a'), 0);
    EXPECT_EQ(a_ck('Z'), 0);
    EXPECT_EQ(a_ck('@'), 1);
    EXPECT_EQ(a_ck('['), 1);
    EXPECT_EQ(a_ck('{'), 1);
    EXPECT_EQ(a_ck('1'), 1);
    EXPECT_EQ(a_ck(0xC1), 1);

    EXPECT_EQ(n_ck('0'), 0);
    EXPECT_EQ(n_ck('9'), 0);
    EXPECT_EQ(n_ck('a'), 1);
    EXPECT_EQ(n_ck('/'), 1);

    EXPECT_EQ(an_ck('_'), 0);
    EXPECT_EQ(an_ck('7'), 0);
    EXPECT_EQ(an_ck('q'), 0);
    EXPECT_EQ(an_ck('@'), 1);
    EXPECT_EQ(an_ck('-'), 1);
    EXPECT_EQ(an_at_ck('@'), 0);
    EXPECT_EQ(an_at_ck('_'), 0);
    EXPECT_EQ(an_at_ck('-'), 1);
}

TEST(CharClass, HexDigitsEitherCase) {
    for (char c : std::string("0123456789abcdefABCDEF")) EXPECT_EQ(x_ck(c), 0) << c;
    for (char c : std::string("gG/:@`")) EXPECT_EQ(x_ck(c), 1) << c;
}

TEST(CharClass, TermAndSpecial) {
    EXPECT_EQ(ck_term('\n'), 0);
    EXPECT_EQ(ck_term('!'), 0);
    EXPECT_EQ(ck_term(-1), 0);
    EXPECT_EQ(ck_term('\r'), 1);
    EXPECT_EQ(ck_term('a'), 1);
    EXPECT_EQ(ck_special_ch('\\'), 92);
    EXPECT_EQ(ck_special_ch('a'), 1);
    EXPECT_EQ(ck_special_ch('M'), 13);
    EXPECT_EQ(ck_special_ch('['), 27);
}

TEST(Case, SingleCharacters) {
    EXPECT_EQ(lower_to_upper('a'), 'A');
    EXPECT_EQ(lower_to_upper('z'), 'Z');
    EXPECT_EQ(lower_to_upper('A'), 'A');
    EXPECT_EQ(lower_to_upper('{'), '{');
    EXPECT_EQ(upper_to_lower('Z'), 'z');
    EXPECT_EQ(upper_to_lower('@'), '@');
    EXPECT_EQ(upper_to_lower('a'), 'a');
}

TEST(Case, TextsSkipShiftJisCharacters) {
    // 0x82 0x61 is one character whose trail byte looks like 'a'.
    char text[] = "ab\x82\x61z";
    lower_to_upper_str(text);
    EXPECT_STREQ(text, "AB\x82\x61Z");
    char upper[] = "AB\x82\x41Z";
    upper_to_lower_str(upper);
    EXPECT_STREQ(upper, "ab\x82\x41z");
}

TEST(Case, LeadByteWithoutTrailByteIsNoCharacter) {
    // A lead byte before a line end, a blank or the end: the letters after
    // it are converted, the line end is kept.
    char text[] = "ab\x82\r\ncd\x95 ef\xe0";
    upper_to_lower_str(text);
    EXPECT_STREQ(text, "ab\x82\r\ncd\x95 ef\xe0");
    lower_to_upper_str(text);
    EXPECT_STREQ(text, "AB\x82\r\nCD\x95 EF\xe0");
}

TEST(Case, CopyingConversions) {
    char dst[16];
    to_upper(dst, "s1f13\x82\x61");
    EXPECT_STREQ(dst, "S1F13\x82\x61");

    char src[] = "Def_SV";
    to_lower(dst, src);
    EXPECT_STREQ(dst, "def_sv");
    EXPECT_STREQ(src, "def_sv");  // the source is lowered too
}

}  // namespace
