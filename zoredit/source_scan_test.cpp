#include "zoredit/source_scan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "textscan/field_split.h"
#include "textscan/textscan.h"
#include "zoredit/source_line.h"

namespace zor::edit {
namespace {

ItemMeaning meaning(const std::string& line) { return item_meaning(split_item_line(line)); }

std::vector<ItemMeaning> meanings(const std::vector<std::string>& lines) {
    std::vector<ItemMeaning> out;
    for (const auto& l : lines) out.push_back(meaning(l));
    return out;
}

TEST(SourceScan, ItemsMeanWhatTheCompilerTakesFromThem) {
    // Same meaning, other spelling.
    EXPECT_EQ(meaning("ecid : 0x3E9"), meaning("ECID:1001"));
    EXPECT_EQ(meaning("format : u4"), meaning("format : U4 // comment"));
    EXPECT_EQ(meaning("format : Boolean"), meaning("format : BO"));
    EXPECT_EQ(meaning("format : U2[3..50]"), meaning("format : U2[3..3]"));
    EXPECT_EQ(meaning("units : \"degC\""), meaning("units : degC"));
    EXPECT_EQ(meaning("function : 300"), meaning("function : 44"));
    EXPECT_EQ(meaning("ppid : Q[8] P1"), meaning("ppid : X9[1] P1"));  // both invalid, sizes 0
    // Other meaning.
    EXPECT_NE(meaning("format : A[1..32]"), meaning("format : A[1..31]"));
    EXPECT_NE(meaning("format : U4"), meaning("format : U4[1]"));
    EXPECT_NE(meaning("units : degC"), meaning("min : degC"));
    EXPECT_NE(meaning("units : deg C"), meaning("units : \"deg C\""));
    EXPECT_NE(meaning("limit : 1 2"), meaning("limit : 1 2 \"\""));
    EXPECT_NE(meaning("ppid : A[4] P1"), meaning("ppid : A[4]"));
    EXPECT_EQ(meaning("totsmp : 10"), meaning("totsmp : 010x"));  // digits up to the first other
}

bool same(Kind kind, std::vector<std::string> a, std::vector<std::string> b, int revision = 2) {
    return same_items(kind, revision, meanings(a), meanings(b));
}

TEST(SourceScan, OnlyItemsThatDoNotDependOnEachOtherMayMove) {
    EXPECT_TRUE(same(Kind::SV, {"svid : 1", "units : u", "format : L", "nominal : 1", "vid : A"},
                     {"format : L", "nominal : 1", "vid : A", "units : u", "svid : 1"}));
    EXPECT_TRUE(same(Kind::SV, {"nominal : 1", "format : L", "vid : A"},
                     {"format : L", "nominal : 1", "vid : A"}));
    EXPECT_FALSE(same(Kind::SV, {"format : L", "vid : A", "nominal : 1"},
                      {"format : L", "nominal : 1", "vid : A"}));
    // The last format counts; none is a list of size 0.
    EXPECT_TRUE(same(Kind::DV, {"format : U4", "format : L[0]"}, {}));
    EXPECT_FALSE(same(Kind::DV, {"format : L[0]", "format : U4"}, {}));
    EXPECT_FALSE(same(Kind::EC, {"event : A", "event : B"}, {"event : B", "event : A"}));
    EXPECT_FALSE(same(Kind::FP, {"ccode : A[1] C1", "pparam : A[1] P", "ccode : A[1] C2"},
                      {"ccode : A[1] C1", "ccode : A[1] C2", "pparam : A[1] P"}));
    EXPECT_FALSE(same(Kind::RC, {"rcpparname : N1", "rcpparname : N2", "rcpparval : A[1] V"},
                      {"rcpparname : N1", "rcpparval : A[1] V", "rcpparname : N2"}));
    EXPECT_FALSE(same(Kind::EC, {"ecid : 1", "ecid : 2"}, {"ecid : 2", "ecid : 1"}));
    EXPECT_FALSE(same(Kind::CE, {"ceid : 1"}, {"ceid : 1", "ceid : 1"}));
}

TEST(SourceScan, ElementNamesCountAsTheListTheBlockKeeps) {
    // Fewer names than the count: the list is dropped with a warning.
    EXPECT_TRUE(same(Kind::SV, {"format : L", "nominal : 3", "vid : A", "vid : B"},
                     {"format : L", "nominal : 3"}));
    EXPECT_FALSE(same(Kind::SV, {"format : L", "nominal : 2", "vid : A", "vid : B"},
                      {"format : L", "nominal : 2"}));
    // A name past the count is refused; in def_dv without an error.
    EXPECT_TRUE(same(Kind::DV, {"format : L", "nominal : 1", "vid : A", "vid : B"},
                     {"format : L", "nominal : 1", "vid : A"}));
    EXPECT_FALSE(same(Kind::EC, {"format : L", "nominal : 1", "vid : A", "vid : B"},
                      {"format : L", "nominal : 1", "vid : A"}));
    // Outside a list: refused, an error only in def_ec.
    EXPECT_TRUE(same(Kind::SV, {"format : U4", "vid : A"}, {"format : U4"}));
    EXPECT_FALSE(same(Kind::EC, {"format : U4", "vid : A"}, {"format : U4"}));
    // Revision 1 takes no names and no count; LEND only there.
    EXPECT_FALSE(same(Kind::SV, {"format : L", "nominal : 1", "vid : A"},
                      {"format : L", "nominal : 1", "vid : A"}, 1));
    EXPECT_TRUE(same(Kind::SV, {"format : L", "nominal : 1"}, {"format : L", "nominal : 1"}, 1));
    EXPECT_FALSE(same(Kind::DV, {"format : LEND"}, {"format : LEND"}, 2));
    EXPECT_TRUE(same(Kind::DV, {"format : LEND"}, {"format : LEND"}, 1));
    EXPECT_FALSE(same(Kind::DV, {"format : Q9"}, {"format : Q9"}));  // no such format
}

TEST(SourceScan, BlocksAsTheMainLoopFindsThem) {
    const std::string text =
        "// head\n"
        "\n"
        "// about A\n"
        "  // and more\n"
        "DEF_EC A {\n"
        "  ecid : 1\n"
        "  // body comment\n"
        "\n"
        "} trailing\n"
        "stray words\n"
        "def_sv SWALLOWED {\n"
        "  svid : 2\n"
        "}\n"
        "REV_NO = 1\n"
        "def_dv \"D 1\" {\n"
        "  dvid : 3\n"
        "  format : LEND\n"
        "}\n"
        "REV_NO = 7\n";
    ScannedSource s;
    ASSERT_TRUE(scan_source(text, 2, s));
    EXPECT_FALSE(s.crlf);
    ASSERT_EQ(s.blocks.size(), 2u);
    EXPECT_EQ(s.blocks[0].kind, Kind::EC);
    EXPECT_EQ(s.blocks[0].name, "A");
    EXPECT_EQ(s.blocks[0].lead, 2u);
    EXPECT_EQ(s.blocks[0].header, 4u);
    EXPECT_EQ(s.blocks[0].close, 8u);
    BlockItems items;
    ASSERT_TRUE(scan_items(text, s, s.blocks[0], items));
    EXPECT_EQ(items.lines, std::vector<size_t>{5});
    EXPECT_EQ(s.blocks[0].revision, 2);
    EXPECT_EQ(s.blocks[1].kind, Kind::DV);
    EXPECT_EQ(s.blocks[1].name, "D 1");
    EXPECT_EQ(s.blocks[1].lead, 14u);  // REV_NO is no comment
    EXPECT_EQ(s.blocks[1].revision, 1);
    EXPECT_EQ(s.end_revision, 1);  // a wrong number means revision 1
    EXPECT_EQ(s.lines.size(), 19u);
    EXPECT_EQ(s.lines[18].second, text.size());

    ASSERT_TRUE(scan_source("def_ce C {\r\n ceid : 1\r\n}", 2, s));
    EXPECT_TRUE(s.crlf);
    EXPECT_EQ(s.blocks.size(), 1u);
}

// The quick split of header lines against the compiler's own steps: read
// (CR LF as LF), remove_cr_lf, trim, split.
TEST(SourceScan, HeaderLinesSplitAsTheMainLoopSplitsThem) {
    std::mt19937 rng(19);
    const char pieces[] = {'d', 'E', '_', '9', ' ', '\t', '{', '}', '=', '"', '\r', ',', '('};
    std::vector<std::string> quick, compiler;
    for (int n = 0; n < 20000; ++n) {
        std::string line;
        for (int k = std::uniform_int_distribution<int>(0, 14)(rng); k > 0; --k)
            line += pieces[std::uniform_int_distribution<int>(0, 12)(rng)];
        if (n % 2) line += n % 4 == 1 ? "\r\n" : "\n";
        header_fields(line, quick);
        std::string read = line;
        if (read.size() >= 2 && read.compare(read.size() - 2, 2, "\r\n") == 0)
            read.erase(read.size() - 2, 1);
        remove_cr_lf(read.data());
        trim(read.data());
        textscan::split_fields(0, read.c_str(), compiler, " ,={}():\t", 16, 4096);
        ASSERT_EQ(quick, compiler) << "[" << line << "]";
    }
}

std::string reduced(const std::string& line) {
    std::string out;
    return reduced_item_line(line, out) ? out : "(refused)";
}

TEST(SourceScan, ReducedItemLinesKeepOnlyWhatTheSplitterReads) {
    EXPECT_EQ(reduced("    ecid    :\t0x3E9   // hex\r\n"), "ecid : 0x3E9");
    EXPECT_EQ(reduced("  altx : \"a  b // c\"\t// note\n"), "altx : \"a  b // c\"");
    // A 0x5C trail byte is no escape; an escaped quote opens nothing.
    EXPECT_EQ(reduced("units :  \"\x95\x5c\"   x\n"), "units : \"\x95\x5c\" x");
    EXPECT_EQ(reduced("t : a\\\"  b\n"), "t : a\\\" b");
    EXPECT_EQ(reduced("   // only a comment\r\n"), "");
    EXPECT_EQ(reduced("x : a\rb\n"), "(refused)");
    EXPECT_EQ(reduced("x : a\\\n"), "(refused)");  // the escape takes the line end
    EXPECT_EQ(reduced("x : \\x4\n"), "(refused)");
    EXPECT_EQ(reduced("x : \\\r\n"), "(refused)");   // the escape takes the CR LF
    EXPECT_EQ(reduced("x : \\\ra\n"), "(refused)");  // or the CR
}

// Against the compiler's own splitting: a reduced line gives the fields of
// the line it came from, so lines with one reduced text mean the same.
TEST(SourceScan, ReducedItemLinesSplitAsTheLineTheyCameFrom) {
    std::mt19937 rng(23);
    const std::vector<std::string> pieces = {
        "a",  "Z9", " ",  "   ",      "\t",   "\"",       "\\",       "\\x4", "/",
        "//", ".",  "..", ":",        ",",    "[",        "]",        "{",    "+",
        "-",  "(",  "x",  "\x95\x5c", "\x81", "\x81\x20", "\xfc\x40", "\r"};
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<std::string> from_line, from_reduced;
    std::vector<std::string_view> views;
    std::string text, again;
    int compared = 0, split_here = 0;
    for (int n = 0; n < 30000; ++n) {
        std::string line;
        for (int k = pick(0, 16); k > 0; --k) line += pieces[pick(0, int(pieces.size()) - 1)];
        line += n % 3 == 0 ? "\r\n" : n % 3 == 1 ? "\n" : "";
        if (!reduced_item_line(line, text)) {
            ASSERT_FALSE(reduces_to(line, "")) << "[" << line << "]";
            continue;
        }
        ++compared;
        ASSERT_TRUE(reduces_to(line, text)) << "[" << line << "]";
        ASSERT_FALSE(reduces_to(line, text + "x")) << "[" << line << "]";
        if (!text.empty()) {
            ASSERT_FALSE(reduces_to(line, std::string_view(text).substr(1))) << "[" << line << "]";
        }
        item_fields(line, from_line);
        item_fields(text + "\n", from_reduced);
        ASSERT_EQ(from_line, from_reduced) << "[" << line << "] reduced to [" << text << "]";
        // Reducing again, indented, changes nothing: a source line that
        // reduces to a written line's text means what that line means.
        ASSERT_TRUE(reduced_item_line("  \t" + text + "\r\n", again)) << "[" << text << "]";
        ASSERT_EQ(again, text);
        if (!reduced_fields(text, views)) continue;
        ++split_here;
        ASSERT_EQ(std::vector<std::string>(views.begin(), views.end()), from_line)
            << "[" << line << "] reduced to [" << text << "]";
    }
    EXPECT_GT(compared, 15000);
    EXPECT_GT(split_here, compared / 2);
}

TEST(SourceScan, WhatTheCompilerWouldReadOtherwiseIsRefused) {
    ScannedSource s;
    EXPECT_FALSE(scan_source("def_ec A {\n ecid : 1\n", 2, s));  // no closing brace
    const std::string no_item = "def_ec A {\n ecid 1\n}\n";
    ASSERT_TRUE(scan_source(no_item, 2, s));
    BlockItems items;
    EXPECT_FALSE(scan_items(no_item, s, s.blocks[0], items));      // a body line that is no item
    EXPECT_FALSE(scan_source("def_msgfunc A {\n}\n", 2, s));       // reserved
    EXPECT_FALSE(scan_source("def_xx A {\n}\n", 2, s));            // unknown
    EXPECT_FALSE(scan_source(std::string("// a\0b\n", 7), 2, s));  // NUL
    EXPECT_FALSE(scan_source("// " + std::string(4093, 'x') + "\n", 2, s));   // 4097 bytes
    EXPECT_TRUE(scan_source("// " + std::string(4091, 'x') + "\r\n", 2, s));  // 4095 as read
}

}  // namespace
}  // namespace zor::edit
