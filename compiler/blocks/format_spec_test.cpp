#include "compiler/blocks/format_spec.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zor::compiler {
namespace {

// Errors go through the message path, which writes "AAZZ" in the current
// directory: keep that out of the build tree.
class FormatSpecTest : public ::testing::Test {
  protected:
    void SetUp() override {
        old_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() /
               ("zor_format_spec_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
    }
    FormatSpec read(Fields f) { return read_format_spec(c_, f); }

    Compilation c_;
    std::filesystem::path old_, dir_;
};

TEST_F(FormatSpecTest, TheThreeForms) {
    FormatSpec s = read({"format", ":", "u4"});
    EXPECT_TRUE(s.valid);
    EXPECT_EQ(s.code, 44);
    EXPECT_EQ(s.size, 1);
    EXPECT_EQ(s.max_size, 0);

    s = read({"format", ":", "U4", "[", "2", "]"});
    EXPECT_EQ(s.size, 2);
    EXPECT_EQ(s.max_size, 2);

    s = read({"format", ":", "A", "[", "1", "..", "32", "]"});
    EXPECT_EQ(s.code, 16);
    EXPECT_EQ(s.size, 1);
    EXPECT_EQ(s.max_size, 32);
    EXPECT_EQ(s.value_index, 8u);

    s = read({"format", ":", "U1", "[", "1", "..", "8", "]"});
    EXPECT_EQ(s.size, 1);
    EXPECT_EQ(s.max_size, 0);
    EXPECT_EQ(s.value_index, 6u);
}

TEST_F(FormatSpecTest, UnknownNamesAndMisplacedBracketsAreFormatErrors) {
    FormatSpec s = read({"format", ":", "X9"});
    EXPECT_FALSE(s.valid);
    EXPECT_EQ(s.code, 255);
    s = read({"ppid", ":", "A", "(", "4", ")", "P"});
    EXPECT_FALSE(s.valid);
    s = read({"format", ":", "A", "[", "1", "..", "32", "x"});
    EXPECT_FALSE(s.valid);
    EXPECT_EQ(c_.error_count, 0);  // counting is up to the caller
}

}  // namespace
}  // namespace zor::compiler
