#include "compiler/output/id_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zor::compiler {
namespace {

class IdFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() / ("zor_id_files_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        paths_ = derive_output_paths((dir_ / "eq.txt").string());
        ASSERT_EQ(files_.open(paths_, (dir_ / "ENG_ID.CSV").string()), "");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir_;
    OutputPaths paths_;
    IdFiles files_;
};

TEST_F(IdFilesTest, NumericConstantsPadToColumns56And72) {
    files_.numeric_constant("TEMP1", 1001);
    files_.numeric_constant("NO_ID", -1);
    files_.close();
    std::string pad56 = "#define  TEMP1" + std::string(56 - 14, ' ');
    std::string h = read(paths_.h);
    EXPECT_EQ(h, pad56 + "1001 " + std::string(72 - 61, ' ') + " // 0x000003e9\r\n" +
                     "#define  NO_ID" + std::string(42, ' ') + "-1 " + std::string(13, ' ') +
                     " // 0xffffffff\r\n");
    std::string cs = read(paths_.cs);
    EXPECT_EQ(cs.substr(0, cs.find("\r\n")),
              "    public const int TEMP1 = " + std::string(27, ' ') + " 1001;" +
                  std::string(10, ' ') + " // 0x000003e9");
}

TEST_F(IdFilesTest, LongNamesAreNotCut) {
    std::string name(60, 'N');
    files_.numeric_constant(name, 5);
    files_.close();
    std::string bas = read(paths_.bas);
    EXPECT_EQ(bas, "Public Const " + name + " = 5 " + " ' 0x00000005\r\n");
}

TEST_F(IdFilesTest, TextConstantsQuoteTheValue) {
    files_.text_constant("SPL1", "SPL1");
    files_.close();
    EXPECT_EQ(read(paths_.h), "#define SPL1" + std::string(44, ' ') + " \"SPL1\"\r\n");
    EXPECT_EQ(read(paths_.cs),
              "    public const string SPL1  = " + std::string(24, ' ') + " \"SPL1\";\r\n");
}

TEST_F(IdFilesTest, HeadsTailsAndListLine) {
    files_.write_heads();
    files_.list_line("TEMP1", 1001, list_format_name(44), 1, {"C", "", "100", ""});
    files_.close_with_tails();
    std::string dashes = "'" + std::string(55, '-') + "\r\n";
    EXPECT_EQ(read(paths_.bas), "Attribute VB_Name = \"Eng_Id.bas\"\r\n" + dashes + "' " +
                                    paths_.bas +
                                    " - ZorGemLib / ZOREng4 ID definition         \r\n" + dashes);
    std::string vb = read(paths_.vb);
    EXPECT_TRUE(vb.ends_with("\r\nPublic Class Ceng_id\r\nEnd Class\r\n")) << vb;
    std::string cs = read(paths_.cs);
    EXPECT_TRUE(
        cs.ends_with("*/\r\nnamespace ZorApp\r\n{\r\n    class eng_id\r\n    {\r\n"
                     "\r\n    }\r\n}\r\n"))
        << cs;
    std::string h = read(paths_.h);
    std::string title = "/*  " + paths_.h + " - ZorGemLib / ZOREng4 ID Definition";
    if (title.size() < 56) title.append(56 - title.size(), ' ');
    std::string c_dashes = "/*" + std::string(54, '-') + "*/\r\n";
    EXPECT_EQ(h, c_dashes + title + "*/\r\n" + c_dashes);
    EXPECT_EQ(read((dir_ / "ENG_ID.CSV").string()), ", TEMP1, 0x000003E9, U4[1], C, , 100, \r\n");
}

TEST_F(IdFilesTest, PreviousFilesStayUntilTheNewOnesAreComplete) {
    files_.discard();
    std::ofstream(paths_.h, std::ios::binary) << "previous";
    ASSERT_EQ(files_.open(paths_, (dir_ / "ENG_ID.CSV").string()), "");
    files_.write_heads();
    EXPECT_EQ(read(paths_.h), "previous");
    files_.discard();
    EXPECT_EQ(read(paths_.h), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // nothing beside

    ASSERT_EQ(files_.open(paths_, (dir_ / "ENG_ID.CSV").string()), "");
    files_.write_heads();
    // A directory in the list's place: that file fails, the others go in.
    std::filesystem::create_directories(dir_ / "ENG_ID.CSV" / "x");
    std::vector<WriteFailure> failures = files_.close_with_tails();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, (dir_ / "ENG_ID.CSV").string());
    EXPECT_EQ(failures[0].error, EISDIR);
    EXPECT_NE(read(paths_.h), "previous");
    // The failed file's temporary is gone with it.
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos)
            << entry.path();
}

TEST(ListFormatName, BooleanAndListEndHaveTheirOwnNames) {
    EXPECT_EQ(list_format_name(9), "T");
    EXPECT_EQ(list_format_name(61), "LE");
    EXPECT_EQ(list_format_name(255), "");
}

}  // namespace
}  // namespace zor::compiler
