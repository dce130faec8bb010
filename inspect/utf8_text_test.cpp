// Code page 932 to UTF-8: the trail bytes that look like ASCII, the
// characters only code page 932 has, and bytes that begin no character.
#include "inspect/utf8_text.h"

#include <gtest/gtest.h>

namespace zor::inspect {
namespace {

TEST(Utf8Converter, TrailBytesThatLookLikeAsciiStayPartOfTheirCharacter) {
    Utf8Converter utf8;
    // ソ 83 5C, 表 95 5C, 能 94 5C: the 5C is no backslash; a lone 5C is.
    EXPECT_EQ(utf8("\x83\x5c\x95\x5c\x94\x5c\\n"), "ソ表能\\n");
    // ポ 83 7C, 倍 94 7B: '|' and '{' as trail bytes.
    EXPECT_EQ(utf8("\x83\x7c\x94\x7b|"), "ポ倍|");
    EXPECT_EQ(utf8("plain ASCII, \\x41"), "plain ASCII, \\x41");
    EXPECT_EQ(utf8(""), "");
}

TEST(Utf8Converter, CharactersOnlyCodePage932HasConvert) {
    Utf8Converter utf8;
    // NEC row 13 (①, ㈱), IBM extensions (纊), the full-width tilde and
    // minus sign that plain Shift-JIS maps elsewhere, half-width katakana.
    EXPECT_EQ(utf8("\x87\x40\x87\x8a\xfa\x5c\x81\x60\x81\x7c\xb1"), "①㈱纊～－ｱ");
}

TEST(Utf8Converter, ABytePairTheCodePageLacksBecomesOneReplacementAndTheRestConverts) {
    Utf8Converter utf8;
    const std::string bad = "\xEF\xBF\xBD";
    EXPECT_EQ(utf8("a\x80z"), "a" + bad + "z");
    EXPECT_EQ(utf8("\x85\x40\x83\x5c"), bad + "ソ");  // an unassigned pair, then ソ
    EXPECT_EQ(utf8("\xfd\xfe\xff"), bad + bad + bad);
    EXPECT_EQ(utf8("\x83"), bad);  // a lead byte at the end
    // The converter is reused: a fault leaves no state for the next text.
    EXPECT_EQ(utf8("\x83\x5c"), "ソ");
}

}  // namespace
}  // namespace zor::inspect
