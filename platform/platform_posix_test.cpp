// What only a POSIX system has: FIFOs, character devices, symbolic links,
// /bin/sh.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/platform.h"
#include "platform/testing/scratch_dir.h"

namespace zor::platform {
namespace {

TEST(StartProcess, RunsWithoutWaitingAndReportsMissingPrograms) {
    testing::ScratchDir dir("zorproc");
    std::string marker = dir / "made by child";
    ASSERT_EQ(start_process("/bin/sh", {"-c", "echo hi > \"$0\"", marker}), 0);
    for (int i = 0; i < 200 && !file_exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(file_exists(marker));
    EXPECT_NE(start_process("/nonexistent/program", {}), 0);
}

TEST(Files, OnlyRegularFilesAreReadAndNothingBlocks) {
    testing::ScratchDir dir("zorread");
    std::filesystem::create_directories(dir / "sub");
    std::string file = dir / "f", fifo = dir / "p";
    std::ofstream(file, std::ios::binary) << std::string(70000, 'x') << "end";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string bytes = "stale";
    ASSERT_TRUE(read_regular_file(file, bytes));
    EXPECT_EQ(bytes.size(), 70003u);
    EXPECT_EQ(bytes.substr(69998), "xxend");
    EXPECT_FALSE(read_regular_file((dir / "sub"), bytes));
    EXPECT_EQ(errno, EISDIR);
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(read_regular_file(fifo, bytes));  // no writer: must come back at once
    EXPECT_FALSE(read_regular_file((dir / "missing"), bytes));
    EXPECT_EQ(errno, ENOENT);

    // The same refusals, said for the user.
    std::string error;
    ASSERT_TRUE(read_whole_file(file, bytes, error));
    EXPECT_EQ(bytes.size(), 70003u);
    EXPECT_FALSE(read_whole_file((dir / "missing"), bytes, error));
    EXPECT_EQ(error, "cannot open " + (dir / "missing"));
    EXPECT_FALSE(read_whole_file((dir / "sub"), bytes, error));
    EXPECT_EQ(error, "cannot read " + (dir / "sub") + ": Is a directory");
    EXPECT_FALSE(read_whole_file(fifo, bytes, error));
    EXPECT_EQ(error, "cannot read " + fifo + ": Invalid argument");
    bytes = "stale";
    EXPECT_TRUE(read_whole_file("/dev/null", bytes, error));  // "none", read as empty
    EXPECT_EQ(bytes, "");
    EXPECT_FALSE(read_whole_file("/dev/zero", bytes, error));  // would never end
}

TEST(Files, SameFileSeesThroughLinksAndSpellings) {
    testing::ScratchDir dir("zorsame");
    std::string a = dir / "a", b = dir / "b";
    std::ofstream(a) << "a";
    std::ofstream(b) << "a";
    std::filesystem::create_hard_link(a, dir / "hard");
    std::filesystem::create_symlink(a, dir / "soft");
    EXPECT_TRUE(same_file(a, (dir / "hard")));
    EXPECT_TRUE(same_file((dir / "soft"), a));
    EXPECT_TRUE(same_file(a, (dir / "./a")));
    EXPECT_FALSE(same_file(a, b));  // equal bytes, other file
    EXPECT_FALSE(same_file(a, (dir / "missing")));
}

}  // namespace
}  // namespace zor::platform
