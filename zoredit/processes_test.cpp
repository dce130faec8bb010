#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/platform.h"
#include "zoredit/test_support.h"
#include "zoredit/zoredit.h"

namespace zor::edit {
namespace {

std::string wait_for_file(const std::string& path) {
    for (int i = 0; i < 100 && !std::filesystem::exists(path + ".done"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return test::read_file(path);
}

// The compile is started as the editor starts it: a program path and an
// argument text split the way a Windows command line is.
TEST(Processes, ArgumentsSplitLikeACommandLineAndNoChildIsLeft) {
    std::string dir = test::scratch_dir("proc") + "/with blank";
    std::filesystem::create_directories(dir);
    test::write_file(
        dir + "/args.sh",
        "printf '%s|' \"$@\" > \"$(dirname \"$0\")/out\"; touch \"$(dirname \"$0\")/out.done\"\n");
    std::string args = "\"" + dir + "/args.sh\" \"arg one\" two";
    char message[256] = "junk";
    ASSERT_EQ(
        ZorCreateProcess("/bin/sh", args.c_str(), "\x91\x95\x92\x75", message, sizeof message), 0);
    EXPECT_STREQ(message, "");
    EXPECT_EQ(wait_for_file(dir + "/out"), "arg one|two|");
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(Processes, NormalProcessGetsTheFileAsOneArgument) {
    std::string dir = test::scratch_dir("proc") + "/a b";
    std::filesystem::create_directories(dir);
    std::string script = dir + "/one.sh";
    test::write_file(script,
                     "printf '%s' \"$0\" > \"" + dir + "/out\"; touch \"" + dir + "/out.done\"\n");
    EXPECT_EQ(ZorCreateNormalProcess("/bin/sh", script.c_str()), 0);
    EXPECT_EQ(wait_for_file(dir + "/out"), script);
}

TEST(Processes, AProgramThatCannotStartGivesItsErrorNumberAndReason) {
    char message[8];
    int result = ZorCreateProcess("/no/such/program", "", "t", message, sizeof message);
    EXPECT_EQ(result, ENOENT);
    EXPECT_EQ(std::string(message).substr(std::string(message).size() - 3), "...");
    EXPECT_NE(ZorCreateNormalProcess(nullptr, "x"), 0);
}

TEST(Processes, BeepIsCounted) {
    int before = zor::platform::beep_count();
    EXPECT_EQ(ZorBeep(1, 50), 0);
    EXPECT_EQ(zor::platform::beep_count(), before + 1);
}

}  // namespace
}  // namespace zor::edit
