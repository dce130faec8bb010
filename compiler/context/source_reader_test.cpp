#include "compiler/context/source_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zor::compiler {
namespace {

std::vector<std::string> read_all(const std::string& content) {
    auto path = std::filesystem::temp_directory_path() / "zor_source_reader_test.txt";
    std::ofstream(path, std::ios::binary) << content;
    SourceReader reader;
    EXPECT_TRUE(reader.open(path.string()));
    std::vector<std::string> lines;
    std::string line;
    while (reader.read_line(line)) lines.push_back(line);
    EXPECT_EQ(reader.line_counter(), static_cast<int>(lines.size()));
    std::filesystem::remove(path);
    return lines;
}

TEST(SourceReader, CrLfReadsAsOneLfAndALoneCrStays) {
    EXPECT_EQ(read_all("a\r\nb\rc\n\r\nlast"),
              (std::vector<std::string>{"a\n", "b\rc\n", "\n", "last"}));
}

TEST(SourceReader, LongLinesComeInCountedPiecesOf4095) {
    std::string longline(5000, 'x');
    auto lines = read_all(longline + "\r\nend\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(4095, 'x'));
    EXPECT_EQ(lines[1], std::string(905, 'x') + "\n");
    EXPECT_EQ(lines[2], "end\n");
}

TEST(SourceReader, NoticesAUtf8ByteOrderMarkAndKeepsIt) {
    auto path = std::filesystem::temp_directory_path() / "zor_source_reader_bom.txt";
    SourceReader reader;
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF"
                                             "def_sv A {\r\n";
    ASSERT_TRUE(reader.open(path.string()));
    EXPECT_TRUE(reader.starts_with_utf8_bom());
    std::string line;
    ASSERT_TRUE(reader.read_line(line));
    EXPECT_EQ(line,
              "\xEF\xBB\xBF"
              "def_sv A {\n");
    std::ofstream(path, std::ios::binary) << "x\xEF\xBB\xBF\n";
    ASSERT_TRUE(reader.open(path.string()));
    EXPECT_FALSE(reader.starts_with_utf8_bom());
    std::filesystem::remove(path);
}

TEST(SourceReader, MissingFileDoesNotOpen) {
    SourceReader reader;
    EXPECT_FALSE(reader.open("/nonexistent/zor/source.txt"));
    std::string line;
    EXPECT_FALSE(reader.read_line(line));
}

}  // namespace
}  // namespace zor::compiler
