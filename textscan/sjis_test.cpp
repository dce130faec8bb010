#include "textscan/sjis.h"

#include <gtest/gtest.h>

#include "textscan/textscan.h"

namespace zor::textscan {
namespace {

TEST(Sjis, TrailByteRangesAndTheirBorders) {
    for (int b : {0x40, 0x5C, 0x7E, 0x80, 0xA0, 0xFC})
        EXPECT_TRUE(is_trail_byte(static_cast<unsigned char>(b))) << b;
    for (int b : {0x00, 0x0A, 0x0D, 0x20, 0x22, 0x3F, 0x7F, 0xFD, 0xFF})
        EXPECT_FALSE(is_trail_byte(static_cast<unsigned char>(b))) << b;
    // The exported lead-byte test and the shared one agree on every byte.
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(is_lead_byte(static_cast<unsigned char>(b)), kanji_ck(b) == 1) << b;
}

TEST(Sjis, PairsOnlyALeadByteWithATrailByte) {
    EXPECT_TRUE(starts_pair("\x82\xa0"));
    EXPECT_TRUE(starts_pair("\x95\x5c"));   // a trail byte that looks like a backslash
    EXPECT_FALSE(starts_pair("\x82\r\n"));  // end of a line
    EXPECT_FALSE(starts_pair("\x82 x"));    // end of a field
    EXPECT_FALSE(starts_pair("\x82"));      // end of the text
    EXPECT_FALSE(starts_pair("\xa1\xa1"));  // half-width katakana are single bytes

    constexpr std::string_view text("a\x82\xa0\x82", 4);
    EXPECT_EQ(char_width(text, 0), 1u);
    EXPECT_EQ(char_width(text, 1), 2u);
    EXPECT_EQ(char_width(text, 3), 1u);  // the view ends after the lead byte
    EXPECT_EQ(char_width(std::string_view("\x82\r", 2), 0), 1u);
}

TEST(Sjis, TextEndingInALoneLeadByte) {
    EXPECT_TRUE(ends_with_lone_lead_byte("A\x82"));
    EXPECT_TRUE(ends_with_lone_lead_byte("\x82\x82\x82"));  // a character, then a lone lead
    EXPECT_FALSE(ends_with_lone_lead_byte("\x82\x82"));     // one character
    EXPECT_FALSE(ends_with_lone_lead_byte("\x82 A"));
    EXPECT_FALSE(ends_with_lone_lead_byte("\xa1"));
    EXPECT_FALSE(ends_with_lone_lead_byte(""));
}

}  // namespace
}  // namespace zor::textscan
