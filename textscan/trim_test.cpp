#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "textscan/textscan.h"

namespace {

// Runs an in-place function on a copy of text and returns the result.
template <typename Edit>
std::string edited(const char* text, Edit edit) {
    char buf[64];
    std::strcpy(buf, text);
    edit(buf);
    return buf;
}

TEST(Trim, RemovesBlanksAndTabsOnBothSides) {
    char buf[] = " \t ab c\t  ";
    EXPECT_EQ(trim(buf), buf);
    EXPECT_STREQ(buf, "ab c");
    EXPECT_EQ(edited("\t x", [](char* s) { trim_leader(s); }), "x");
    EXPECT_EQ(edited("x \t", [](char* s) { trim_leader(s); }), "x \t");
    EXPECT_EQ(edited(" x \t", [](char* s) { trim_trail(s); }), " x");
}

TEST(Trim, TrailNeverRemovesTheFirstCharacter) {
    EXPECT_EQ(edited(" ", [](char* s) { trim_trail(s); }), " ");
    EXPECT_EQ(edited("\t\t", [](char* s) { trim_trail(s); }), "\t");
    EXPECT_EQ(edited("   ", [](char* s) { trim(s); }), "");
    EXPECT_EQ(edited("", [](char* s) { trim(s); }), "");
}

TEST(RemoveCrLf, RemovesOneOrTwoLineEndCharacters) {
    auto cut = [](char* s) { remove_cr_lf(s); };
    EXPECT_EQ(edited("abc\r\n", cut), "abc");
    EXPECT_EQ(edited("abc\n", cut), "abc");
    EXPECT_EQ(edited("abc\n\n", cut), "abc");
    EXPECT_EQ(edited("abc\n\r\n", cut), "abc\n");
    EXPECT_EQ(edited("abc", cut), "abc");
    EXPECT_EQ(edited("\n", cut), "");
    EXPECT_EQ(edited("", cut), "");
    // The character before the last one is looked at as it was on entry.
    EXPECT_EQ(edited("ab\nc", cut), "ab");
}

TEST(Padding, CutSpacePadAndExpand) {
    char buf[8] = "ab cd e";
    cut_space(buf, 2);
    EXPECT_STREQ(buf, "ab cd e");
    cut_space(buf, 3);
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(std::string(buf + 3), "cd e");

    char pad[6] = {'a', 0, 'b', 0, 0, 'z'};
    space_pad(pad, 4);  // the NUL at index 4 lies beyond the length
    EXPECT_EQ(std::string(pad, 6), std::string("a b \0z", 6));

    EXPECT_EQ(edited("ab", [](char* s) { exp_str(s, 5); }), "ab   ");
    EXPECT_EQ(edited("abcdef", [](char* s) { exp_str(s, 3); }), "abcdef");
}

TEST(NameCpy, GivesAFieldOfExactlyTheLength) {
    char dst[16];
    name_cpy(dst, "ab", 5);
    EXPECT_STREQ(dst, "ab   ");
    name_cpy(dst, "abcdefg", 4);
    EXPECT_STREQ(dst, "abcd");
    // A Shift-JIS character that would be split is replaced by padding.
    name_cpy(dst, "ab\x95\x5c", 3);
    EXPECT_STREQ(dst, "ab ");
    name_cpy(dst, "ab\x95\x5c", 4);
    EXPECT_STREQ(dst, "ab\x95\x5c");
    // A lead byte before a blank is a byte of its own and fits alone.
    name_cpy(dst, "ab\x95 ", 3);
    EXPECT_STREQ(dst, "ab\x95");
}

TEST(Quotes, StripOnlyAnEnclosingPair) {
    auto strip = [](char* s) { strip_double_quote(s); };
    EXPECT_EQ(edited("\"abc\"", strip), "abc");
    EXPECT_EQ(edited("\"\"", strip), "");
    EXPECT_EQ(edited("\"", strip), "\"");
    EXPECT_EQ(edited("\"abc", strip), "\"abc");
    EXPECT_EQ(edited("\"\"x\"\"", strip), "\"x\"");

    char dst[16];
    strcpy_woff(dst, "\"a b\"");
    EXPECT_STREQ(dst, "a b");

    auto quote = [](char* s) { double_quoted_str(s); };
    EXPECT_EQ(edited("abc", quote), "\"abc\"");
    EXPECT_EQ(edited("\"abc\"", quote), "\"abc\"");
    EXPECT_EQ(edited("", quote), "\"\"");
}

TEST(Search, CkCharFindsTerminatorScanCharDoesNot) {
    const char text[] = "a=b=c";
    EXPECT_EQ(ck_char(text, '='), text + 1);
    EXPECT_EQ(scan_char(text, '='), text + 1);
    EXPECT_EQ(ck_char(text, '#'), nullptr);
    EXPECT_EQ(scan_char(text, '#'), nullptr);
    EXPECT_EQ(ck_char(text, 0), text + 5);
    EXPECT_EQ(scan_char(text, 0), nullptr);
}

TEST(Search, TrailByteIsNotFound) {
    const char text[] = "\x95\x5c\\";
    EXPECT_EQ(scan_char(text, '\\'), text + 2);
    EXPECT_EQ(ck_char(text, '\\'), text + 2);
    // A lead byte without its trail byte hides nothing after it.
    const char line[] = "a\x95\r\n";
    EXPECT_EQ(ck_char(line, '\r'), line + 2);
    const char pair[] = "k\x95=v";
    EXPECT_EQ(scan_char(pair, '='), pair + 2);
}

TEST(ChangeChar, ReplacesEveryEqualByte) {
    EXPECT_EQ(edited("a.b.c", [](char* s) { change_char(s, '.', '/'); }), "a/b/c");
    EXPECT_EQ(edited("a\xa0"
                     "b",
                     [](char* s) { change_char(s, 0xa0, ' '); }),
              "a b");
}

TEST(SeparateStr, SplitsAtTheFirstSeparator) {
    char text[] = "\"key=va=lue\"";
    char left[16];
    char right[16];
    ASSERT_EQ(separate_str(text, left, right, '='), 0);
    EXPECT_STREQ(left, "key");
    EXPECT_STREQ(right, "va=lue");

    char none[] = "novalue";
    std::strcpy(left, "L");
    EXPECT_EQ(separate_str(none, left, right, '='), -1);
    EXPECT_STREQ(left, "L");

    char edge[] = "=";
    ASSERT_EQ(separate_str(edge, left, right, '='), 0);
    EXPECT_STREQ(left, "");
    EXPECT_STREQ(right, "");
}

}  // namespace
