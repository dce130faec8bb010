// What only Windows has: drive letters and backslashes, Shift-JIS names on
// a wide-character file system, the NUL device, cmd.exe.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/platform.h"
#include "platform/testing/scratch_dir.h"

namespace zor::platform {
namespace {

TEST(FileNames, DriveLettersAndBothSeparatorsButNoTrailByte) {
    EXPECT_EQ(file_name_start("C:\\eq\\equipment.txt"), 6u);
    EXPECT_EQ(file_name_start("C:equipment.txt"), 2u);
    EXPECT_EQ(file_name_start("eq/sub\\equipment.txt"), 7u);
    EXPECT_EQ(file_name_start("equipment.txt"), 0u);
    // 表 is 95 5C and ソ 83 5C: their second byte separates nothing.
    EXPECT_EQ(file_name_start("eq\\\x95\x5c.txt"), 3u);
    EXPECT_EQ(file_name_start("\x83\x5c\x95\x5c"), 0u);
}

TEST(FileNames, ShiftJisNamesAreTheCharactersOnDisk) {
    testing::ScratchDir dir("zorsjis");
    // 設備表.txt and ソース.txt, both with a 5C trail byte.
    const std::string name = dir / "\x90\xdd\x94\xf5\x95\x5c.txt";
    const std::string other = dir / "\x83\x5c\x81\x5b\x83\x58.txt";
    std::FILE* f = open_file(name, "w");
    ASSERT_NE(f, nullptr);
    std::fputs("a\r\nb\n", f);  // binary whatever the mode says
    std::fclose(f);
    // The wide name is the one a Japanese user sees, whatever the code page.
    EXPECT_TRUE(std::filesystem::exists(native_path(dir.name()) / L"\u8a2d\u5099\u8868.txt"));
    EXPECT_EQ(path_name(native_path(name)), name);
    std::string bytes, error;
    ASSERT_TRUE(read_whole_file(name, bytes, error));
    EXPECT_EQ(bytes, "a\r\nb\n");
    EXPECT_TRUE(file_exists(name));
    EXPECT_TRUE(same_file(name, dir / "./\x90\xdd\x94\xf5\x95\x5c.txt"));
    EXPECT_TRUE(rename_replacing(name, other));
    EXPECT_FALSE(file_exists(name));
    EXPECT_TRUE(std::filesystem::exists(native_path(dir.name()) / L"\u30bd\u30fc\u30b9.txt"));
    EXPECT_TRUE(remove_file(other));
    EXPECT_FALSE(remove_file(other));
}

TEST(Files, OnlyRegularFilesAreReadAndTheNullDeviceIsEmpty) {
    testing::ScratchDir dir("zorread");
    std::filesystem::create_directories(native_path(dir / "sub"));
    std::string bytes = "stale", error;
    EXPECT_TRUE(read_whole_file(null_device(), bytes, error));
    EXPECT_EQ(bytes, "");
    EXPECT_FALSE(read_regular_file(dir / "sub", bytes));
    EXPECT_EQ(errno, EISDIR);
    EXPECT_FALSE(read_whole_file(dir / "sub", bytes, error));
    EXPECT_EQ(error, "cannot read " + (dir / "sub") + ": Is a directory");
    EXPECT_FALSE(read_regular_file(dir / "missing", bytes));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(read_whole_file(dir / "missing", bytes, error));
    EXPECT_EQ(error, "cannot open " + (dir / "missing"));
}

TEST(StartProcess, RunsWithoutWaitingAndReportsMissingPrograms) {
    testing::ScratchDir dir("zorproc");
    std::string marker = dir / "made.txt";
    for (char& c : marker)
        if (c == '/') c = '\\';
    ASSERT_EQ(start_process("cmd.exe", {"/c", "echo hi>" + marker}), 0);
    for (int i = 0; i < 500 && !file_exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(file_exists(marker));
    EXPECT_EQ(start_process("C:\\nonexistent\\program.exe", {}), ENOENT);
    // cmd.exe may still hold the file open; let it finish before cleaning up.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

}  // namespace
}  // namespace zor::platform
