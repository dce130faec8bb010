#include "textscan/numbers.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "textscan/textscan.h"

namespace {

using zor::textscan::boolean_value;
using zor::textscan::decimal_value;
using zor::textscan::integer_value;

TEST(Atx, DigitsAndLettersOfEitherCase) {
    EXPECT_EQ(atx('0'), 0);
    EXPECT_EQ(atx('9'), 9);
    EXPECT_EQ(atx('A'), 10);
    EXPECT_EQ(atx('f'), 15);
    EXPECT_EQ(atx('G'), 16);  // not checked: 'G' - 55
}

TEST(FixedWidth, TwoAndThreeCharacters) {
    EXPECT_EQ(a2toi("4271"), 42);
    EXPECT_EQ(a3toi("0659"), 65);
    EXPECT_EQ(a3toi("255"), 255);
    EXPECT_EQ(x2toi("1eZ"), 30);
    EXPECT_EQ(x2toi("FF"), 255);
    // A short text is read up to its end, never beyond.
    EXPECT_EQ(a3toi("7"), 7);
    EXPECT_EQ(x2toi("a"), 10);
}

TEST(SAtoi, DecimalWithSign) {
    EXPECT_EQ(s_atoi("12abc"), 12);
    EXPECT_EQ(s_atoi("  -42 "), -42);
    EXPECT_EQ(s_atoi("+7"), 7);
    EXPECT_EQ(s_atoi(""), 0);
    EXPECT_EQ(s_atoi("abc"), 0);
    EXPECT_EQ(s_atoi("2147483647"), 2147483647);
    EXPECT_EQ(s_atoi("-2147483648"), -2147483647 - 1);
}

TEST(SAtoi, HexadecimalPrefixes) {
    EXPECT_EQ(s_atoi(" 0x1F "), 31);
    EXPECT_EQ(s_atoi("x10"), 16);
    EXPECT_EQ(s_atoi("X10"), 16);
    EXPECT_EQ(s_atoi("0XfF"), 255);
    EXPECT_EQ(s_atoi("0x"), 0);
    EXPECT_EQ(s_atoi("0xFFFFFFFF"), -1);
    EXPECT_EQ(API_atoi(" 0x1F "), 31);
    EXPECT_EQ(API_atoi("-3"), -3);
}

TEST(SAtox, UpperCasesInPlaceAndStopsAtNonDigit) {
    char text[] = "1aBg2";
    EXPECT_EQ(s_atox(text), 0x1AB);
    EXPECT_STREQ(text, "1ABG2");
    char empty[] = "";
    EXPECT_EQ(s_atox(empty), 0);
    char wraps[] = "123456789";  // nine digits: the top one falls off
    EXPECT_EQ(s_atox(wraps), 0x23456789);
}

TEST(SAtobool, LettersThenDecimal) {
    EXPECT_EQ(s_atobool("TRUE"), 1);
    EXPECT_EQ(s_atobool("t"), 1);
    EXPECT_EQ(s_atobool("False"), 0);
    EXPECT_EQ(s_atobool("f"), 0);
    EXPECT_EQ(s_atobool("5"), 5);
    EXPECT_EQ(s_atobool("0"), 0);
    EXPECT_EQ(s_atobool("yes"), 0);
}

// The readers take views: a number that runs on in the buffer behind the
// view is read only as far as the view goes.
TEST(NumberReaders, ReadOnlyTheirView) {
    const std::string_view buffer = "12345";
    EXPECT_EQ(decimal_value(buffer.substr(0, 2)), 12);
    EXPECT_EQ(integer_value(std::string_view("0x1F", 3)), 1);
    EXPECT_EQ(boolean_value(buffer.substr(0, 1)), 1);
    EXPECT_EQ(decimal_value("\t -7x"), -7);
    EXPECT_EQ(decimal_value("4294967297"), 1);  // wraps at 32 bits
}

// The exported functions are these readings, so the compiler and zoredit
// read every ID and Boolean alike.
TEST(NumberReaders, AgreeWithTheExportedFunctions) {
    for (const char* text : {"12abc", " 0x1F ", "x10", "0X", "-42", "+7", "", " ", "\t9",
                             "0xFFFFFFFF", "x1g", "12 34"}) {
        EXPECT_EQ(integer_value(text), s_atoi(text)) << text;
    }
    for (const char* text : {"TRUE", "t", "F", " T", "0x1", "5", " 3", "yes", ""})
        EXPECT_EQ(boolean_value(text), s_atobool(text)) << text;
}

// A Boolean value is read without hexadecimal: "0x1" is 0, " T" (a blank
// first) is no letter and reads as decimal 0.
TEST(NumberReaders, BooleanIsLetterOrDecimalNeverHexadecimal) {
    EXPECT_EQ(boolean_value("0x1"), 0);
    EXPECT_EQ(boolean_value("x1"), 0);
    EXPECT_EQ(boolean_value(" T"), 0);
    EXPECT_EQ(boolean_value(" 12"), 12);
    EXPECT_EQ(integer_value("0x1"), 1);
}

TEST(Shift, ShiftsABigEndianBufferUpByFourBits) {
    std::array<unsigned char, 3> b{0x12, 0x34, 0x56};
    s_shift_r_4(b.data(), 3);
    EXPECT_EQ(b, (std::array<unsigned char, 3>{0x23, 0x45, 0x60}));
    std::array<unsigned char, 1> one{0xAB};
    s_shift_r_4(one.data(), 1);
    EXPECT_EQ(one[0], 0xB0);
}

TEST(SA8toi, ReadsHexadecimalIntoEightBytes) {
    std::array<unsigned char, 8> b;
    b.fill(0xEE);
    s_a8toi(b.data(), "1a2B");
    EXPECT_EQ(b, (std::array<unsigned char, 8>{0, 0, 0, 0, 0, 0, 0x1A, 0x2B}));
    s_a8toi(b.data(), "0123456789abcdef");
    EXPECT_EQ(b, (std::array<unsigned char, 8>{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}));
    s_a8toi(b.data(), "");
    EXPECT_EQ(b, (std::array<unsigned char, 8>{}));
}

TEST(ByteOrder, ReversesAtMostSixteenBytes) {
    const unsigned char src[4] = {1, 2, 3, 4};
    unsigned char dst[4] = {};
    change_byte_order(dst, src, 4);
    EXPECT_EQ(std::memcmp(dst, "\x04\x03\x02\x01", 4), 0);

    unsigned char same[2] = {0xAA, 0xBB};
    change_byte_order(same, same, 2);
    EXPECT_EQ(same[0], 0xBB);
    EXPECT_EQ(same[1], 0xAA);

    unsigned char big[20];
    unsigned char out[20];
    for (int i = 0; i < 20; ++i) big[i] = static_cast<unsigned char>(i);
    std::memset(out, 0xEE, sizeof out);
    change_byte_order(out, big, 20);
    EXPECT_EQ(out[0], 15);
    EXPECT_EQ(out[15], 0);
    EXPECT_EQ(out[16], 0xEE);
}

TEST(ByteOrder, MemcpyCopiesCountBytes) {
    char dst[6] = "xxxxx";
    API_memcpy(dst, "abcdef", 3);
    EXPECT_STREQ(dst, "abcxx");
}

TEST(StreamFunction, ParsesSxFy) {
    int s = -5;
    int f = -5;
    EXPECT_EQ(get_sxfy_from_str("s1f13", &s, &f), 269);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(f, 13);
    EXPECT_EQ(get_sxfy_from_str(" \"S127F255\" ", &s, &f), 127 * 256 + 255);
    EXPECT_EQ(get_sxfy_from_str("S0F0", &s, &f), 0);
}

TEST(StreamFunction, RejectsOutOfRangeAndMalformed) {
    int s = -5;
    int f = -5;
    for (const char* bad : {"S128F1", "S1F256", "S1", "SF1", "S1F", "1F1", "S1F1x", "S1 F1", ""}) {
        EXPECT_EQ(get_sxfy_from_str(bad, &s, &f), -1) << bad;
    }
    EXPECT_EQ(s, -5);
    EXPECT_EQ(f, -5);
    const std::string long_text = "S1F1" + std::string(29, ' ');  // 33 characters
    EXPECT_EQ(get_sxfy_from_str(long_text.c_str(), &s, &f), -1);
    EXPECT_EQ(get_sxfy_from_str(long_text.substr(1).insert(0, " ").c_str(), &s, &f), -1);
    EXPECT_EQ(get_sxfy_from_str(long_text.substr(0, 32).c_str(), &s, &f), 257);
}

}  // namespace
