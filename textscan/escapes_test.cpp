#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "textscan/textscan.h"

namespace {

std::string encode(const std::string& src) {
    std::string dst(4 * src.size() + 1, '#');
    const int n = API_str_encode(dst.data(), src.c_str());
    EXPECT_EQ(n, static_cast<int>(std::strlen(dst.c_str())));
    return dst.c_str();
}

std::string decode(const std::string& src) {
    std::string dst(src.size() + 1, '#');
    const int n = API_str_decode(dst.data(), src.c_str());
    return dst.substr(0, static_cast<size_t>(n));
}

std::string file_name(void (*fn)(char*), const std::string& path) {
    char buf[256];
    std::snprintf(buf, sizeof buf, "%s", path.c_str());
    fn(buf);
    return buf;
}

TEST(EscapeTable, BothDirections) {
    const int bytes[] = {0x01, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, '"', '\'', '\\'};
    const char letters[] = "abtnvfr\"'\\";
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(API_ck_dflt_esc(bytes[i]), letters[i]) << i;
        EXPECT_EQ(API_get_esc_char(letters[i]), bytes[i]) << i;
    }
    EXPECT_EQ(API_ck_dflt_esc(0x07), -1);
    EXPECT_EQ(API_ck_dflt_esc('a'), -1);
    EXPECT_EQ(API_get_esc_char('q'), -1);
    EXPECT_EQ(API_get_esc_char('x'), -1);
    EXPECT_EQ(API_get_esc_char('A'), -1);
}

TEST(StrEncode, EscapeLettersHexAndPlainBytes) {
    EXPECT_EQ(encode("a\tb\"c\x1f"
                     "d"),
              "a\\tb\\\"c\x1f"
              "d");
    EXPECT_EQ(encode("\x1e"), "\\x1e");
    EXPECT_EQ(encode("\x02\x07\x0e"), "\\x02\\x07\\x0e");
    EXPECT_EQ(encode("\x01\\\r\n'"), "\\a\\\\\\r\\n\\'");
    EXPECT_EQ(encode("\x7f\xa1 "), "\x7f\xa1 ");
    EXPECT_EQ(encode(""), "");
}

TEST(StrEncode, ShiftJisTrailBackslashIsNotDoubled) {
    EXPECT_EQ(encode("\x95\x5c\\"), "\x95\x5c\\\\");
    EXPECT_EQ(encode("x\x95"), "x\x95");  // a lone lead byte at the end
    // A lead byte does not hide the line end or the quote after it.
    EXPECT_EQ(encode("x\x95\r\n"), "x\x95\\r\\n");
    EXPECT_EQ(encode("\x95\"y"), "\x95\\\"y");
}

TEST(StrEncode, InPlaceAndLongerThanAnyFixedBuffer) {
    std::string text(5000, '\t');
    text.resize(4 * text.size() + 1, 'z');
    text[5000] = 0;
    EXPECT_EQ(API_str_encode(text.data(), text.data()), 10000);
    std::string expected;
    for (int i = 0; i < 5000; ++i) expected += "\\t";
    EXPECT_EQ(std::string(text.c_str()), expected);
}

TEST(StrDecode, NumericAndLetterEscapes) {
    EXPECT_EQ(decode("\\x41"), "A");
    EXPECT_EQ(decode("\\X4a"), "J");
    EXPECT_EQ(decode("\\d065"), "A");
    EXPECT_EQ(decode("\\D0979"), "a9");
    EXPECT_EQ(decode("\\a"), "\x01");
    EXPECT_EQ(decode("\\t\\n\\\"\\'\\\\"), "\t\n\"'\\");
}

TEST(StrDecode, UnknownEscapesStayAsWritten) {
    EXPECT_EQ(decode("\\q"), "\\q");
    EXPECT_EQ(decode("a\\zb"), "a\\zb");
}

TEST(StrDecode, ShortOrTruncatedEscapesNeverReadPastTheEnd) {
    EXPECT_EQ(decode("ab\\"), "ab\\");
    EXPECT_EQ(decode("\\x4"), "\\x4");
    EXPECT_EQ(decode("\\d12"), "\\d12");
}

TEST(StrDecode, ShiftJisCharactersPassWhole) {
    EXPECT_EQ(decode("\x95\x5cn"), "\x95\x5cn");
    // A backslash before a Shift-JIS character does not swallow its lead byte.
    EXPECT_EQ(decode("\\\x95\x5cn"), "\\\x95\x5cn");
}

TEST(StrDecode, InPlaceAndRoundTrip) {
    const std::string original = "tab\there \"q\" \x95\x5c \x1e end\\";
    std::string buf = encode(original);
    EXPECT_EQ(API_str_decode(buf.data(), buf.data()), static_cast<int>(original.size()));
    EXPECT_EQ(std::string(buf.c_str()), original);
}

TEST(FileNameEscapes, EncodeDoublesLoneBackslashes) {
    EXPECT_EQ(file_name(API_encode_file_name, "C:\\a\\b"), "C:\\\\a\\\\b");
    EXPECT_EQ(file_name(API_encode_file_name, "C:\\\\a"), "C:\\\\a");
    EXPECT_EQ(file_name(API_encode_file_name, "dir\\"), "dir\\\\");
    EXPECT_EQ(file_name(API_encode_file_name, "\x95\x5c\\x"), "\x95\x5c\\\\x");
}

TEST(FileNameEscapes, DecodeStripsQuotesAndHalvesPairs) {
    EXPECT_EQ(file_name(API_decode_file_name, "\"C:\\\\a\\\\b\""), "C:\\a\\b");
    EXPECT_EQ(file_name(API_decode_file_name, "C:\\a"), "C:\\a");
    EXPECT_EQ(file_name(API_decode_file_name, "\x95\x5c\\\\"), "\x95\x5c\\");
}

TEST(FileNameEscapes, ResultIsAtMost255CharactersWithoutSplittingAPair) {
    std::string lone;
    for (int i = 0; i < 127; ++i) lone += "\\x";
    std::string expected;
    for (int i = 0; i < 85; ++i) expected += "\\\\x";
    EXPECT_EQ(file_name(API_encode_file_name, lone), expected);  // 85 * 3 = 255

    // 2 + 84 * 3 = 254: the next doubled backslash would need 256.
    expected = "ab";
    for (int i = 0; i < 84; ++i) expected += "\\\\x";
    EXPECT_EQ(file_name(API_encode_file_name, "ab" + lone), expected);
}

TEST(FileNames, NameAndExtension) {
    char buf[64];
    get_file_name(buf, "C:\\eq.old\\tool.txt");
    EXPECT_STREQ(buf, "C:\\eq");
    get_file_name(buf, "tool");
    EXPECT_STREQ(buf, "tool");
    get_ext_name(buf, "tool.txt");
    EXPECT_STREQ(buf, "txt");
    get_ext_name(buf, "a.b.c");
    EXPECT_STREQ(buf, "b.c");
    get_ext_name(buf, "tool");
    EXPECT_STREQ(buf, "   ");
}

class FileTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() /
            ("textscan_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }
    static void write(const std::string& p, const char* content) { std::ofstream(p) << content; }
    static std::string read(const std::string& p) {
        std::ifstream in(p);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::path dir_;
};

TEST_F(FileTest, CkFileExist) {
    EXPECT_EQ(API_ck_file_exist(path("absent").c_str()), 0);
    write(path("here"), "x");
    EXPECT_EQ(API_ck_file_exist(path("here").c_str()), 1);
}

TEST_F(FileTest, RenameReplacesAnOldBackupAndReports) {
    const std::string src = path("eq.fil");
    write(src, "new");
    write(src + ".bak", "old");
    testing::internal::CaptureStdout();
    EXPECT_EQ(API_rename_file(src.c_str(), ".bak"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "    Backup file " + src + " ==> " + src + ".bak ");
    EXPECT_FALSE(std::filesystem::exists(src));
    EXPECT_EQ(read(src + ".bak"), "new");
}

TEST_F(FileTest, RenameOfAMissingFileDoesNothing) {
    const std::string src = path("none.fil");
    write(src + ".bak", "old");
    testing::internal::CaptureStdout();
    EXPECT_EQ(API_rename_file(src.c_str(), ".bak"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(read(src + ".bak"), "old");
}

}  // namespace
