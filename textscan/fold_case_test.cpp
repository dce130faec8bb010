#include "textscan/fold_case.h"

#include <gtest/gtest.h>

namespace zor::textscan {
namespace {

TEST(FoldCase, AsciiLettersOnly) {
    EXPECT_EQ(fold_case("Def_SV TEMP1"), "def_sv temp1");
    EXPECT_EQ(fold_case("@[]^_`{}"), "@[]^_`{}");  // neighbours of the letters stay
    EXPECT_EQ(fold_case(""), "");
    // Full-width letters (82 60 = Ａ) and half-width katakana are no ASCII letters.
    EXPECT_EQ(fold_case("\x82\x60\xB1"), "\x82\x60\xB1");
}

// 83 41 (ア) and 83 61 (ヂ) differ only by what would be the case bit of
// their trail bytes: they must never compare equal.
TEST(FoldCase, NeverTouchesATrailByte) {
    EXPECT_EQ(fold_case("\x83\x41"), "\x83\x41");
    EXPECT_NE(fold_case("X\x83\x41"), fold_case("x\x83\x61"));
    EXPECT_EQ(fold_case("A\x83\x41Z"), "a\x83\x41z");
    // A lead byte without its trail byte leaves the letter after a blank to fold.
    EXPECT_EQ(fold_case("\x83 A"), "\x83 a");
}

// Against an ASCII word, as fold_case on both sides would compare.
TEST(FoldCase, FoldsEqualToAnAsciiWord) {
    EXPECT_TRUE(folds_equal("REV_no", "rev_NO"));
    EXPECT_FALSE(folds_equal("rev_no ", "rev_no"));
    EXPECT_FALSE(folds_equal("rev_n@", "rev_n`"));  // neighbours of the letters stay
    EXPECT_FALSE(folds_equal("\x83\x41", "xa"));    // a Shift-JIS character is no word
}

}  // namespace
}  // namespace zor::textscan
