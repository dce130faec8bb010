#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textscan/textscan.h"

namespace {

using Fields = std::vector<std::string>;

constexpr const char* kHeadSep = " ,={}():\t";  // block header lines
constexpr const char* kItemSep = " ,{}[]:\t";   // item lines

// Runs one splitter and returns the fields it stored, releasing them.
template <typename Split>
Fields run(Split split, const char* text, const char* sep, int max_item = 16, int max_len = 4096) {
    std::vector<char*> item(static_cast<size_t>(max_item) + 1, nullptr);
    const char guard_value = 'G';
    item[static_cast<size_t>(max_item)] = const_cast<char*>(&guard_value);
    const int n = split(text, item.data(), sep, max_item, max_len);
    EXPECT_EQ(item[static_cast<size_t>(max_item)], &guard_value) << "field array overrun";
    Fields out;
    for (int i = 0; i < n; ++i) out.emplace_back(item[static_cast<size_t>(i)]);
    free_item_mem(item.data(), n);
    for (int i = 0; i < n; ++i) EXPECT_EQ(item[static_cast<size_t>(i)], nullptr);
    return out;
}

Fields mode(int m, const char* text, const char* sep, int max_item = 16, int max_len = 4096) {
    return run([m](const char* t, char** i, const char* s, int mi,
                   int ml) { return get_field_item_common(m, t, i, s, mi, ml); },
               text, sep, max_item, max_len);
}

Fields str_fields(int comment_flag, const char* text, const char* sep) {
    return run([comment_flag](const char* t, char** i, const char* s, int mi,
                              int ml) { return get_str_field_item(comment_flag, t, i, s, mi, ml); },
               text, sep);
}

TEST(FieldSplit, HeaderLineGivesKeywordNameAndBrace) {
    EXPECT_EQ(run(get_field_item, "def_sv TEMP1 {", kHeadSep), (Fields{"def_sv", "TEMP1", "{"}));
    EXPECT_EQ(run(get_field_item, "REV_NO = 2", kHeadSep), (Fields{"REV_NO", "=", "2"}));
}

TEST(FieldSplit, SeparatorsOtherThanBlankCommaAreFieldsOfTheirOwn) {
    EXPECT_EQ(run(get_field_item, "format : A[1..32]", kItemSep),
              (Fields{"format", ":", "A", "[", "1", "..", "32", "]"}));
    EXPECT_EQ(run(get_field_item, "a:{b}", kItemSep), (Fields{"a", ":", "{", "b", "}"}));
}

TEST(FieldSplit, CommaEndsFieldAndIsConsumed) {
    EXPECT_EQ(run(get_field_item, "link : 1,2 ,, 3", kItemSep),
              (Fields{"link", ":", "1", "2", "3"}));
}

TEST(FieldSplit, TabsAndBlankRunsSeparate) {
    EXPECT_EQ(run(get_field_item, "a\t \tb   c", kItemSep), (Fields{"a", "b", "c"}));
}

TEST(FieldSplit, QuotedTextKeepsSeparatorsAndLosesItsQuotes) {
    EXPECT_EQ(run(get_field_item, "altx : \"over heat, stop\" // note", kItemSep),
              (Fields{"altx", ":", "over heat, stop"}));
    EXPECT_EQ(run(get_field_item, "a \"x//y\" b", kItemSep), (Fields{"a", "x//y", "b"}));
}

TEST(FieldSplit, OnlyOneEnclosingPairOfQuotesIsRemoved) {
    EXPECT_EQ(run(get_field_item, "ab\"c d\"", kItemSep), (Fields{"ab\"c d\""}));
    EXPECT_EQ(run(get_field_item, "\"\"", kItemSep), (Fields{""}));
}

TEST(FieldSplit, EscapesAreKeptAsWritten) {
    // An escaped quote does not open a quoted part, an escaped blank does not separate.
    EXPECT_EQ(run(get_field_item, "a\\\"b c", kItemSep), (Fields{"a\\\"b", "c"}));
    EXPECT_EQ(run(get_field_item, "\"x\\\" y\" z", kItemSep), (Fields{"x\\\" y", "z"}));
    // \x takes its two digits along even when they are separators.
    EXPECT_EQ(run(get_field_item, "p\\x:,q r", kItemSep), (Fields{"p\\x:,q", "r"}));
}

TEST(FieldSplit, BackslashAtEndOfTextStaysInsideTheText) {
    EXPECT_EQ(run(get_field_item, "ab\\", kItemSep), (Fields{"ab\\"}));
    EXPECT_EQ(run(get_field_item, "ab\\x4", kItemSep), (Fields{"ab\\x4"}));
}

TEST(FieldSplit, ShiftJisTrailBackslashIsNeitherEscapeNorCut) {
    // 0x95 0x5C is one character; the blank after it must still separate.
    EXPECT_EQ(run(get_field_item, "\x95\x5c a", kItemSep), (Fields{"\x95\x5c", "a"}));
    EXPECT_EQ(run(get_field_item, "\"\x95\x5c\" b", kItemSep), (Fields{"\x95\x5c", "b"}));
    // A trail byte equal to a separator does not split the character.
    EXPECT_EQ(run(get_field_item, "\x81\x7b:x", "{:"), (Fields{"\x81\x7b", ":", "x"}));
}

TEST(FieldSplit, LoneLeadByteAtEndIsKept) {
    EXPECT_EQ(run(get_field_item, "ab \x95", kItemSep), (Fields{"ab", "\x95"}));
}

// A lead byte before a byte that cannot be a trail byte is a byte of its own:
// it never takes the line end, a separator or a closing quote along.
TEST(FieldSplit, LeadByteWithoutTrailByteNeverSwallowsWhatFollows) {
    EXPECT_EQ(run(get_field_item, "units : A\x82\r\nB", kItemSep), (Fields{"units", ":", "A\x82"}));
    EXPECT_EQ(run(get_field_item, "units : A\x82\nB", kItemSep), (Fields{"units", ":", "A\x82"}));
    EXPECT_EQ(run(get_field_item, "a\x95,b \x95:c", kItemSep),
              (Fields{"a\x95", "b", "\x95", ":", "c"}));
    EXPECT_EQ(run(get_field_item, "\"\x95\" d", kItemSep), (Fields{"\x95", "d"}));
    EXPECT_EQ(str_fields(0, "x\xe0\n", kItemSep), (Fields{"x\xe0"}));
    // 0x7F and 0xFD cannot be trail bytes, 0x80 and 0xFC can: with fields of
    // one byte, only a character goes whole into one field.
    EXPECT_EQ(mode(0, "\x95\x7f", kItemSep, 16, 1), (Fields{"\x95", "\x7f"}));
    EXPECT_EQ(mode(0, "\x95\xfd", kItemSep, 16, 1), (Fields{"\x95", "\xfd"}));
    EXPECT_EQ(mode(0, "\x95\x80", kItemSep, 16, 1), (Fields{"\x95\x80"}));
    EXPECT_EQ(mode(0, "\x95\xfc", kItemSep, 16, 1), (Fields{"\x95\xfc"}));
}

TEST(FieldSplit, DoubleSlashCutsTheRestOfTheLine) {
    EXPECT_EQ(run(get_field_item, "min : 3 // lower, limit", kItemSep), (Fields{"min", ":", "3"}));
    EXPECT_EQ(run(get_field_item, "units : a/b//c", kItemSep), (Fields{"units", ":", "a/b"}));
    EXPECT_EQ(run(get_field_item, "// only a comment", kItemSep), Fields{});
    EXPECT_EQ(run(get_msg_field_item, "x // y", kItemSep), (Fields{"x"}));
    EXPECT_EQ(run(get_field_item_c, "x // y", kItemSep), (Fields{"x"}));
}

TEST(FieldSplit, LineEndsAtCrOrLf) {
    EXPECT_EQ(run(get_field_item, "a b\r\nc", kItemSep), (Fields{"a", "b"}));
    EXPECT_EQ(run(get_field_item, "a\nb", kItemSep), (Fields{"a"}));
}

TEST(FieldSplit, RangeIsSplitOnlyInModesZeroAndOne) {
    EXPECT_EQ(run(get_field_item, "1..5", kItemSep), (Fields{"1", "..", "5"}));
    EXPECT_EQ(run(get_field_item_v, "-5..-1", kItemSep), (Fields{"0", "-5", "..", "-1"}));
    EXPECT_EQ(run(get_msg_field_item, "1..5", kItemSep), (Fields{"1..5"}));
    EXPECT_EQ(run(get_field_item_c, "1..5", kItemSep), (Fields{"1..5"}));
    EXPECT_EQ(mode(3, "1..5", kItemSep), (Fields{"1..5"}));
    EXPECT_EQ(run(get_field_item, "1.5", kItemSep), (Fields{"1.5"}));
}

TEST(FieldSplit, SignFieldGetsAZeroBeforeIt) {
    // First field, or after at least two fields of which the last begins with '('.
    EXPECT_EQ(run(get_field_item, "+5", kHeadSep), (Fields{"0", "+5"}));
    EXPECT_EQ(run(get_field_item, "a ( +5", kHeadSep), (Fields{"a", "(", "0", "+5"}));
    EXPECT_EQ(run(get_field_item, "( +5", kHeadSep), (Fields{"(", "+5"}));
    EXPECT_EQ(run(get_field_item, "a b +5", kHeadSep), (Fields{"a", "b", "+5"}));
}

TEST(FieldSplit, MinusIsASignOnlyInModeOne) {
    EXPECT_EQ(run(get_field_item, "-5", kHeadSep), (Fields{"-5"}));
    EXPECT_EQ(run(get_field_item_v, "-5", kHeadSep), (Fields{"0", "-5"}));
    EXPECT_EQ(run(get_field_item_v, "a ( -5", kHeadSep), (Fields{"a", "(", "0", "-5"}));
}

TEST(FieldSplit, ZeroFieldNeverOverrunsTheArray) {
    EXPECT_EQ(run(get_field_item, "a ( +5", kHeadSep, 3), (Fields{"a", "(", "0"}));
}

TEST(FieldSplit, ModeThreeKeepsQuotesCommentsAndEmptyCommaPositions) {
    EXPECT_EQ(mode(3, "a,,b", kItemSep), (Fields{"a", " ", "b"}));
    EXPECT_EQ(mode(3, ",x", kItemSep), (Fields{" ", "x"}));
    EXPECT_EQ(mode(3, "\"q r\" s//t", kItemSep), (Fields{"\"q r\"", "s//t"}));
}

TEST(FieldSplit, UnknownModeBehavesLikeModeTwo) {
    const char* line = "k : \"v w\" 1..2 // c";
    EXPECT_EQ(mode(7, line, kItemSep), run(get_msg_field_item, line, kItemSep));
    EXPECT_EQ(mode(7, line, kItemSep), (Fields{"k", ":", "v w", "1..2"}));
}

TEST(FieldSplit, LeadingSeparatorBlankBecomesAOneBlankField) {
    EXPECT_EQ(run(get_field_item, " a", kItemSep), (Fields{" ", "a"}));
}

TEST(FieldSplit, TrailingBlanksOfAFieldAreRemovedWhenBlankIsNoSeparator) {
    EXPECT_EQ(run(get_field_item, "ab  ,cd \t", ","), (Fields{"ab", "cd"}));
}

TEST(FieldSplit, FieldCountAndLengthLimitsAreCallerGiven) {
    EXPECT_EQ(run(get_field_item, "a b c d", kItemSep, 2), (Fields{"a", "b"}));
    // A field that reaches the maximum length ends there; the rest is the next field.
    EXPECT_EQ(run(get_field_item, "abcdefg h", kItemSep, 16, 3), (Fields{"abc", "def", "g", "h"}));
    // A Shift-JIS character or an escape that does not fit begins the next field whole.
    EXPECT_EQ(run(get_field_item,
                  "a\x95\x5c"
                  "b",
                  kItemSep, 16, 2),
              (Fields{"a", "\x95\x5c", "b"}));
    EXPECT_EQ(run(get_field_item, "ab\\x41c", kItemSep, 16, 4), (Fields{"ab", "\\x41", "c"}));
    EXPECT_EQ(run(get_field_item, "\\x41", kItemSep, 16, 2), (Fields{"\\x41"}));
}

TEST(FieldSplit, NothingToSplit) {
    EXPECT_EQ(run(get_field_item, "", kItemSep), Fields{});
    EXPECT_EQ(run(get_field_item, "\r\n", kItemSep), Fields{});
    EXPECT_EQ(run(get_field_item, "a", kItemSep, 0), Fields{});
    EXPECT_EQ(run(get_field_item, "a", kItemSep, 16, 0), Fields{});
}

TEST(StrFieldSplit, KeepsQuotesSplitsRangeAndInsertsNoZero) {
    EXPECT_EQ(str_fields(0, "\"a b\" 1..3 +5", kItemSep),
              (Fields{"\"a b\"", "1", "..", "3", "+5"}));
}

TEST(StrFieldSplit, CommaOnlyEndsAField) {
    EXPECT_EQ(str_fields(0, "a,,b", kItemSep), (Fields{"a", "b"}));
}

TEST(StrFieldSplit, CommentFlagDecidesAboutDoubleSlash) {
    EXPECT_EQ(str_fields(0, "a b//c", kItemSep), (Fields{"a", "b"}));
    EXPECT_EQ(str_fields(1, "a b//c", kItemSep), (Fields{"a", "b//c"}));
}

TEST(StrFieldSplit, TracePrintsEveryStepWhenEnabled) {
    ASSERT_EQ(API_set_debug(1), 1);
    testing::internal::CaptureStdout();
    const Fields f = str_fields(0, "\"\x95\x5c\\n\"", kItemSep);
    const std::string out = testing::internal::GetCapturedStdout();
    API_set_debug(0);
    EXPECT_EQ(f, (Fields{"\"\x95\x5c\\n\""}));
    EXPECT_EQ(out,
              "get_str  buf=\"\x95\x5c\\n\""
              "\"(0x22) \" flag=0 -->1"
              "\x95(0x95)kanji"
              "\\(0x5c)\\"
              "\"(0x22) \" flag=1 -->0");
}

TEST(StrFieldSplit, NoTraceWhenDisabled) {
    API_set_debug(0);
    testing::internal::CaptureStdout();
    str_fields(0, "a b", kItemSep);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    run(get_field_item, "a b", kItemSep);
    API_set_debug(1);
    run(get_field_item, "a b", kItemSep);  // only get_str_field_item traces
    API_set_debug(0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

}  // namespace
