#include "platform/platform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/testing/loopback_listener.h"
#include "platform/testing/scratch_dir.h"

namespace zor::platform {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateQuotesGroup) {
    EXPECT_EQ(split_command_line("a b\tc"), (Args{"a", "b", "c"}));
    EXPECT_EQ(split_command_line("  \"C:\\My Files\\eq.txt\" zor_conf.log "),
              (Args{"C:\\My Files\\eq.txt", "zor_conf.log"}));
    EXPECT_EQ(split_command_line("ab\"c d\"e"), (Args{"abc de"}));
    EXPECT_EQ(split_command_line("\"\""), (Args{""}));
    EXPECT_EQ(split_command_line(""), Args{});
}

TEST(SplitCommandLine, BackslashesEscapeOnlyBeforeQuotes) {
    EXPECT_EQ(split_command_line("a\\\\b"), (Args{"a\\\\b"}));
    EXPECT_EQ(split_command_line("a\\\"b"), (Args{"a\"b"}));
    EXPECT_EQ(split_command_line("\"a\\\\\" b"), (Args{"a\\", "b"}));
}

TEST(FileNames, TheNameBeginsAfterTheLastSlash) {
    EXPECT_EQ(file_name_start("eq/sub/equipment.txt"), 7u);
    EXPECT_EQ(file_name_start("/equipment.txt"), 1u);
    EXPECT_EQ(file_name_start("equipment.txt"), 0u);
    EXPECT_EQ(file_name_start(""), 0u);
    const std::string sjis = "\x90\xdd\x94\xf5/\x95\x5c.txt";  // 設備/表.txt
    EXPECT_EQ(path_name(native_path(sjis)), sjis);
}

TEST(Files, RenameReplacesAndRemoveReports) {
    testing::ScratchDir dir("zorfiles");
    std::string a = dir / "a", b = dir / "b";
    std::ofstream(native_path(a)) << "new";
    std::ofstream(native_path(b)) << "old";
    EXPECT_TRUE(rename_replacing(a, b));
    EXPECT_FALSE(file_exists(a));
    std::string content;
    std::ifstream(native_path(b)) >> content;  // closed again: Windows removes no open file
    EXPECT_EQ(content, "new");
    EXPECT_TRUE(remove_file(b));
    EXPECT_FALSE(remove_file(b));
}

TEST(FileLock, ASecondHolderWaitsForTheFirst) {
    testing::ScratchDir dir("zorlock");
    std::string path = dir / "lock";
    FileLock first, second;
    ASSERT_EQ(first.try_lock(path), FileLock::State::held);
    ASSERT_EQ(second.try_lock(path), FileLock::State::busy);
    std::atomic<bool> taken{false};
    std::thread waiter([&] { taken = second.wait(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(taken);
    first.release();
    waiter.join();
    EXPECT_TRUE(taken);
    FileLock third;
    EXPECT_EQ(third.try_lock(path), FileLock::State::busy);
    second.release();
    EXPECT_EQ(third.try_lock(path), FileLock::State::held);
    EXPECT_EQ(FileLock().try_lock(dir / "no/lock"), FileLock::State::failed);
}

TEST(NotifyChannel, FramesEachMessageAndWaitsForTheAcknowledgement) {
    testing::LoopbackListener editor_end;
    std::vector<std::string> seen;
    std::thread editor([&] {
        if (!editor_end.accept()) return;
        for (int i = 0; i < 2; ++i) {
            seen.push_back(editor_end.read_frame());
            editor_end.acknowledge();
        }
        editor_end.close_peer();
    });
    NotifyChannel channel;
    ASSERT_TRUE(channel.open(editor_end.port()));
    EXPECT_TRUE(channel.send("first\r\n"));
    EXPECT_TRUE(channel.send(""));
    editor.join();
    EXPECT_EQ(seen, (std::vector<std::string>{"first\r\n", ""}));
    // The peer is gone: the next send fails and the channel stays closed.
    EXPECT_FALSE(channel.send("third"));
    EXPECT_FALSE(channel.is_open());
}

TEST(NotifyChannel, GivesUpWhenNoAcknowledgementComes) {
    testing::LoopbackListener editor_end;
    NotifyChannel channel;
    ASSERT_TRUE(channel.open(editor_end.port(), 100));
    ASSERT_TRUE(editor_end.accept());
    EXPECT_FALSE(channel.send("nobody answers"));
    EXPECT_FALSE(channel.is_open());
}

TEST(NotifyChannel, NoPortMeansNobodyWaits) {
    NotifyChannel channel;
    EXPECT_FALSE(channel.open(0));
    EXPECT_FALSE(channel.open(70000));
    EXPECT_FALSE(channel.send("x"));
}

TEST(Beep, IsCounted) {
    int before = beep_count();
    beep(0);
    beep(1);
    EXPECT_EQ(beep_count(), before + 2);
}

}  // namespace
}  // namespace zor::platform
