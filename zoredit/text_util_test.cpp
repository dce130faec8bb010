#include "zoredit/text_util.h"

#include <gtest/gtest.h>

namespace zor::edit {
namespace {

std::string message(std::string_view text, int size) {
    char buffer[64];
    copy_message(text, buffer, size);
    return buffer;
}

// Error texts too long for the caller's buffer are cut between characters.
TEST(CopyMessage, CutsBetweenCharactersAndMarksTheCut) {
    EXPECT_EQ(message("short", 6), "short");
    EXPECT_EQ(message("abcdefgh", 7), "abc...");
    EXPECT_EQ(message("ab\x82\xa0zzzz", 7), "ab...");  // the character does not fit whole
    // A lead byte without its trail byte is one byte: it fits alone.
    EXPECT_EQ(message("ab\x82 xyz", 7), "ab\x82...");
    EXPECT_EQ(message("ab\x82\r\nxyz", 7), "ab\x82...");
}

}  // namespace
}  // namespace zor::edit
