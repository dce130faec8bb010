#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "textscan/textscan.h"

namespace {

TEST(ExamineStrVar, VariableNames) {
    for (const char* ok : {"a", "_x", "@v", "Temp1", "arr[3]", "a_b[c]"}) {
        EXPECT_EQ(API_examine_str_var(ok), 0) << ok;
    }
    for (const char* bad : {"", "1a", "[a]", "a-b", "a b", "a@", "a.b", "\x95\x5c"}) {
        EXPECT_EQ(API_examine_str_var(bad), 1) << bad;
    }
}

struct Head {
    int result;
    std::string first, second, write_mark, end_mark;
};

Head head(const char* line) {
    char buf[512];
    std::strcpy(buf, line);
    char first[512] = "?";
    char second[512] = "?";
    char w[512] = "?";
    char e[512] = "?";
    const int r = API_get_edit_head(buf, first, second, w, e);
    return {r, first, second, w, e};
}

TEST(EditHead, FirstSecondAndMarks) {
    Head h = head("  PPID1  body\t");
    EXPECT_EQ(h.result, 0);
    EXPECT_EQ(h.first, "PPID1");
    EXPECT_EQ(h.second, "body");
    EXPECT_EQ(h.write_mark, " ");
    EXPECT_EQ(h.end_mark, " ");

    h = head("a b W");
    EXPECT_EQ(h.result, 0);
    EXPECT_EQ(h.write_mark, "W");
    EXPECT_EQ(h.end_mark, " ");

    h = head("a b e");
    EXPECT_EQ(h.write_mark, " ");
    EXPECT_EQ(h.end_mark, "e");

    h = head("a b we");
    EXPECT_EQ(h.write_mark, " ");
    EXPECT_EQ(h.end_mark, " ");

    h = head("a b c w");  // only the third field is a mark
    EXPECT_EQ(h.write_mark, " ");
}

TEST(EditHead, QuotesRemovedFromFields) {
    const Head h = head("\"my id\" b");
    EXPECT_EQ(h.first, "my id");
    EXPECT_EQ(h.second, "b");
}

TEST(EditHead, FewerThanTwoFields) {
    EXPECT_EQ(head("alone").result, -1);
    EXPECT_EQ(head("   ").result, -1);
}

struct Item {
    int result;
    std::string format, size, second_size, value, indent;
};

Item item(const char* line) {
    char buf[512];
    std::strcpy(buf, line);
    char format[512] = "?";
    char size[512] = "?";
    char second[512] = "?";
    char value[512] = "?";
    char indent[512] = "?";
    const int r = API_get_edit_item(buf, format, size, second, value, indent);
    return {r, format, size, second, value, indent};
}

TEST(EditItem, ListStartAndEnd) {
    Item i = item("  <L [2]");
    EXPECT_EQ(i.result, 0);
    EXPECT_EQ(i.format, "L");
    EXPECT_EQ(i.size, "");
    EXPECT_EQ(i.indent, "  ");

    i = item("    >");
    EXPECT_EQ(i.result, 0);
    EXPECT_EQ(i.format, ">");
    EXPECT_EQ(i.indent, "    ");
}

TEST(EditItem, NumericItemWithValue) {
    const Item i = item("   <U4[1] = 100>");
    EXPECT_EQ(i.result, 0);
    EXPECT_EQ(i.format, "U4");
    EXPECT_EQ(i.size, "1");
    EXPECT_EQ(i.second_size, "");
    EXPECT_EQ(i.value, "100");
    EXPECT_EQ(i.indent, "   ");
}

TEST(EditItem, SecondSizeAndNoValue) {
    Item i = item("<I2[4] 8 = 5>");
    EXPECT_EQ(i.result, 0);
    EXPECT_EQ(i.size, "4");
    EXPECT_EQ(i.second_size, "8");
    EXPECT_EQ(i.value, "5");

    i = item("<F4[1]>");
    EXPECT_EQ(i.result, 0);
    EXPECT_EQ(i.format, "F4");
    EXPECT_EQ(i.size, "1");
    EXPECT_EQ(i.second_size, "");
    EXPECT_EQ(i.value, "");
}

TEST(EditItem, TextValueIsQuotedAndMustBeClosed) {
    Item i = item("<A[10] = \"a b\">");
    EXPECT_EQ(i.result, 0);
    EXPECT_EQ(i.value, "\"a b\"");

    i = item("<j[3]=xyz >");
    EXPECT_EQ(i.result, 0);
    EXPECT_EQ(i.value, "\"xyz\"");

    i = item("<A[10] = \"a b\" c>");
    EXPECT_EQ(i.result, 1);

    i = item("<A[10] = abc");
    EXPECT_EQ(i.result, 1);
}

TEST(EditItem, MalformedLines) {
    EXPECT_EQ(item("").result, -1);
    EXPECT_EQ(item("U4[1]").result, -1);
    EXPECT_EQ(item("<U4 1]").result, -1);
    EXPECT_EQ(item("<U4[1 2>").result, -1);
    EXPECT_EQ(item("<U4[1").result, -1);
    EXPECT_EQ(item("<").result, -1);
}

TEST(EditItem, IndentIsAtMost255Blanks) {
    std::string line(300, ' ');
    line += ">";
    char buf[400];
    std::strcpy(buf, line.c_str());
    char format[16], size[16], second[16], value[16], indent[512];
    EXPECT_EQ(API_get_edit_item(buf, format, size, second, value, indent), 0);
    EXPECT_EQ(std::string(indent), std::string(255, ' '));
}

struct Parts {
    std::string p1, p2, p3;
};

Parts divide(const char* text, int char_width, int w1, int w2) {
    char p1[300], p2[300], p3[300];
    API_divide_string_3(text, char_width, w1, w2, 0, p1, p2, p3);
    return {p1, p2, p3};
}

TEST(DivideString3, ThreePartsByWidth) {
    // Widths are divided by (character width + 0.2): 28 / 5.2 gives 5 bytes
    // including the "// ", 18 / 5.2 gives 3.
    const Parts p = divide("\"abcdefghij\"", 5, 28, 18);
    EXPECT_EQ(p.p1, "// ab");
    EXPECT_EQ(p.p2, "cde");
    EXPECT_EQ(p.p3, "fghij");
}

TEST(DivideString3, ShiftJisCharactersAreNeverSplit) {
    // The part reaches its limit inside a character: the character goes whole to it.
    const Parts p = divide("a\x95\x5c\x82\xa0z", 5, 28, 18);
    EXPECT_EQ(p.p1, "// a\x95\x5c");
    EXPECT_EQ(p.p2, "\x82\xa0z");
    EXPECT_EQ(p.p3, "");
}

TEST(DivideString3, LeadByteWithoutTrailByteIsOneByte) {
    // "// a" then the lead byte fills part 1; the blank after it is no trail byte.
    const Parts p = divide("a\x95 bcd", 5, 28, 18);
    EXPECT_EQ(p.p1, "// a\x95");
    EXPECT_EQ(p.p2, " bc");
    EXPECT_EQ(p.p3, "d");
}

TEST(DivideString3, LastPartAtMost256Bytes) {
    const std::string text(400, 'x');
    const Parts p = divide(text.c_str(), 5, 28, 18);
    EXPECT_EQ(p.p3, std::string(256, 'x'));
}

}  // namespace
