#include "zoredit/source_line.h"

#include <gtest/gtest.h>

#include <random>

namespace zor::edit {
namespace {

// Each text must come back from the compiler's splitter exactly; plain
// words stay bare, anything else gets quotes.
TEST(SourceLine, TextsReadBackExactly) {
    const std::pair<std::string, std::string> cases[] = {
        {"EC_A", "event : EC_A"},
        {"a b", "units : \"a b\""},
        {"x, y: [z] {w}", "units : \"x, y: [z] {w}\""},
        {"// not a comment", "units : \"// not a comment\""},
        {"1..2", "units : \"1..2\""},
        {"", "units : \"\""},
        {"\"q\"", "units : \"\"\"q\"\"\""},
        {"tail ", "units : \"tail \""},
        {"\\t\\x41", "units : \"\\t\\x41\""},
        {"\x95\x5c", "units : \x95\x5c"},
        // A lead byte without its trail byte: bare at the end, quoted before a blank.
        {"C\x95", "units : C\x95"},
        {"a\x95 b", "units : \"a\x95 b\""},
    };
    for (const auto& [text, line] : cases) {
        std::string key = line.substr(0, line.find(' '));
        auto got = item_line(key, {}, {text});
        ASSERT_TRUE(got) << text;
        EXPECT_EQ(*got, line);
        std::vector<std::string> fields = split_item_line(*got);
        ASSERT_EQ(fields.size(), 3u) << *got;
        EXPECT_EQ(fields[2], text);
    }
}

TEST(SourceLine, FixedPartsAndTailKeepTheirPlaces) {
    auto line = item_line("pparam", {"U1[2.."}, {"a b"}, {"]"});
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, "pparam : U1[2.. \"a b\" ]");
    EXPECT_EQ(split_item_line(*line),
              (std::vector<std::string>{"pparam", ":", "U1", "[", "2", "..", "a b", "]"}));
    EXPECT_EQ(*item_line("limit", {}, {"1", "", "x y"}), "limit : 1 \"\" \"x y\"");
}

TEST(SourceLine, HeadersAndLimits) {
    EXPECT_EQ(*header_line("def_sv", "SV_1"), "def_sv SV_1 {");
    EXPECT_EQ(*header_line("def_sv", " SV 1 "), "def_sv \" SV 1 \" {");
    EXPECT_EQ(*header_line("def_sv", "a=b"), "def_sv \"a=b\" {");
    // A source line is read in pieces of 4095 bytes: longer is not written.
    EXPECT_FALSE(item_line("altx", {}, {std::string(4100, 'a')}));
}

// Whatever the text, a line that is written must split back into it: the
// quick rules for plain and quoted texts agree with the splitter.
TEST(SourceLine, RandomTextsSplitBackExactly) {
    const char* const pieces[] = {"a",  "9",  "_",    " ",        "\t",   ",",    ":",    "[", "]",
                                  "{",  "}",  "(",    ")",        "=",    "/",    ".",    "+", "-",
                                  "\"", "\\", "\\x4", "\x95\x5c", "\x82", "\xb1", "\xfd", "#"};
    std::mt19937 rng(7);
    int written = 0;
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        for (int k = std::uniform_int_distribution<int>(0, 6)(rng); k > 0; --k)
            text += pieces[std::uniform_int_distribution<int>(0, 25)(rng)];
        auto line = item_line("units", {}, {text, "x"});
        if (!line) continue;
        ++written;
        auto fields = split_item_line(*line);
        ASSERT_EQ(fields.size(), 4u) << *line;
        EXPECT_EQ(fields[2], text) << *line;
        auto header = header_line("def_ec", text);
        if (header) {
            EXPECT_EQ(header->substr(header->size() - 2), " {");
        }
    }
    EXPECT_GT(written, 15000);
}

}  // namespace
}  // namespace zor::edit
