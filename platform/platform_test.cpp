#include "platform/platform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/code_page.h"
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

std::string content_of(const std::string& path) {
    std::string bytes, error;
    return read_whole_file(path, bytes, error) ? bytes : "<" + error + ">";
}

TEST(ReplacingFile, NewContentOnlyWhenCompleteWithTheOldKeptAsBackup) {
    testing::ScratchDir dir("zorreplacing");
    const std::string target = dir / "\x90\xdd\x94\xf5.txt", backup = target + ".bak";
    {
        std::ofstream(native_path(target), std::ios::binary) << "old\r\n";
        std::ofstream(native_path(backup), std::ios::binary) << "older";
    }
    ReplacingFile file;
    ASSERT_TRUE(file.open(target));
    ASSERT_TRUE(file.write("new\r\n"));
    EXPECT_EQ(content_of(target), "old\r\n");  // nothing shows before commit
    ASSERT_TRUE(file.commit(backup));
    EXPECT_EQ(content_of(target), "new\r\n");
    EXPECT_EQ(content_of(backup), "old\r\n");

    ReplacingFile dropped;
    ASSERT_TRUE(dropped.open(target));
    ASSERT_TRUE(dropped.write("half"));
    dropped.discard();
    EXPECT_EQ(content_of(target), "new\r\n");
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(native_path(dir.name())))
        files += e.is_regular_file();
    EXPECT_EQ(files, 2u);  // no temporary left behind
}

TEST(ReplacingFile, RefusesADirectoryAndLeavesItAlone) {
    testing::ScratchDir dir("zorreplacedir");
    const std::string sub = dir / "sub";
    std::filesystem::create_directories(native_path(sub));
    ReplacingFile file;
    EXPECT_FALSE(file.open(sub));
    EXPECT_EQ(file.error(), EISDIR);
    EXPECT_EQ(file.cause(), "is a directory");
    EXPECT_FALSE(file.write("x"));
    EXPECT_FALSE(file.commit());
    EXPECT_TRUE(std::filesystem::is_directory(native_path(sub)));
}

TEST(WorkingFile, EmptiesWhatWasThereAndRefusesADirectory) {
    testing::ScratchDir dir("zorworking");
    const std::string name = dir / "run.log";
    std::ofstream(native_path(name), std::ios::binary) << "a long previous run";
    std::FILE* f = open_working_file(name);
    ASSERT_NE(f, nullptr);
    std::fputs("short\n", f);
    std::fclose(f);
    EXPECT_EQ(content_of(name), "short\n");  // binary: no CR added
    std::filesystem::create_directories(native_path(dir / "sub"));
    EXPECT_EQ(open_working_file(dir / "sub"), nullptr);
    EXPECT_EQ(errno, EISDIR);
}

TEST(Cp932, ConvertsBothWaysAndStopsAtWhatDoesNotMap) {
    Cp932 code_page;
    std::string out;
    // 設備 ｱ (a half-width katakana) and ① (an NEC special character).
    const std::string sjis = "A\x90\xdd\x94\xf5\xb1\x87\x40";
    const std::string utf8 = "A\u8a2d\u5099\uff71\u2460";
    EXPECT_EQ(code_page.to_utf8(sjis, out), sjis.size());
    EXPECT_EQ(out, utf8);
    out.clear();
    EXPECT_EQ(code_page.from_utf8(utf8, out), utf8.size());
    EXPECT_EQ(out, sjis);
    // 0x80 maps to nothing on either system; a lone lead byte ends nothing.
    out.clear();
    EXPECT_EQ(code_page.to_utf8("ab\x80"
                                "cd",
                                out),
              2u);
    EXPECT_EQ(out, "ab");
    out.clear();
    EXPECT_EQ(code_page.to_utf8("\x90\xdd\x90", out), 2u);
    EXPECT_EQ(out, "\u8a2d");
    // Hangul has no place in the code page.
    out.clear();
    EXPECT_EQ(code_page.from_utf8("x\uac00y", out), 1u);
    EXPECT_EQ(out, "x");
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
