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
#include "platform/socket.h"
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

// Reads until `size` bytes came, the peer closed or nothing came for a while.
std::string receive_bytes(Socket& socket, std::size_t size) {
    std::string out;
    char chunk[65536];
    while (out.size() < size) {
        std::size_t got = 0;
        if (socket.receive(chunk, sizeof chunk, got, 5000) != Socket::Received::data) break;
        out.append(chunk, got);
    }
    return out;
}

TEST(Socket, ListensAcceptsAndCarriesBytesBothWays) {
    std::string error;
    Socket listener = Socket::listen("127.0.0.1", 0, error);
    ASSERT_TRUE(listener.is_open()) << error;
    ASSERT_GT(listener.local_port(), 0);
    Socket idle;
    Socket* sockets[] = {nullptr, &idle, &listener};
    bool ready[3] = {true, true, true};
    // Nobody has connected: nothing to accept, and the wait is the time-out.
    EXPECT_EQ(poll_readable(sockets, ready, 50), 0);
    EXPECT_FALSE(listener.accept().is_open());

    Socket client = Socket::connect("127.0.0.1", listener.local_port(), 5000, error);
    ASSERT_TRUE(client.is_open()) << error;
    ASSERT_EQ(poll_readable(sockets, ready, 5000), 1);
    EXPECT_FALSE(ready[0]);
    EXPECT_FALSE(ready[1]);
    EXPECT_TRUE(ready[2]);
    std::string peer_name;
    Socket server = listener.accept(&peer_name);
    ASSERT_TRUE(server.is_open());
    EXPECT_EQ(peer_name, "127.0.0.1:" + std::to_string(client.local_port()));

    char byte;
    std::size_t got = 7;
    EXPECT_EQ(server.receive(&byte, 1, got, 20), Socket::Received::timeout);
    EXPECT_EQ(got, 0u);

    // More than the system buffers hold: send_all has to wait for room while
    // the other side reads, and every byte arrives in order.
    std::string big(8 << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
    std::string arrived;
    std::thread reader([&] { arrived = receive_bytes(server, big.size()); });
    EXPECT_TRUE(client.send_all(big, 5000));
    reader.join();
    EXPECT_TRUE(arrived == big) << arrived.size() << " of " << big.size() << " bytes";

    EXPECT_TRUE(server.send_all("back", 1000));
    EXPECT_EQ(receive_bytes(client, 4), "back");

    // The peer leaves: its socket reads as ready, then as closed.
    client.close();
    Socket* ends[] = {&server};
    bool end_ready[1] = {false};
    EXPECT_EQ(poll_readable(ends, end_ready, 5000), 1);
    EXPECT_EQ(server.receive(&byte, 1, got, 1000), Socket::Received::closed);
}

TEST(Socket, FailuresSayWhyAndWritingToAGonePeerNeverKills) {
    std::string error;
    int port;
    {
        Socket gone = Socket::listen("127.0.0.1", 0, error);
        ASSERT_TRUE(gone.is_open()) << error;
        port = gone.local_port();
    }
    EXPECT_FALSE(Socket::connect("127.0.0.1", port, 5000, error).is_open());
    EXPECT_EQ(error,
              "cannot connect to 127.0.0.1:" + std::to_string(port) + ": Connection refused");
    EXPECT_FALSE(Socket::listen("127.0.0.1", 70000, error).is_open());
    EXPECT_EQ(error, "cannot listen on 127.0.0.1:70000: no IPv4 address and port");
    EXPECT_FALSE(Socket::connect("127.0.0.1", 0, 100, error).is_open());
    EXPECT_EQ(error, "cannot connect to 127.0.0.1:0: unknown host or port");

    Socket listener = Socket::listen("127.0.0.1", 0, error);
    ASSERT_TRUE(listener.is_open()) << error;
    Socket taken = Socket::listen("127.0.0.1", listener.local_port(), error);
    EXPECT_FALSE(taken.is_open());
    EXPECT_EQ(error, "cannot listen on 127.0.0.1:" + std::to_string(listener.local_port()) +
                         ": Address already in use");

    Socket client = Socket::connect("127.0.0.1", listener.local_port(), 5000, error);
    ASSERT_TRUE(client.is_open()) << error;
    Socket* sockets[] = {&listener};
    bool ready[1] = {false};
    ASSERT_EQ(poll_readable(sockets, ready, 5000), 1);
    listener.accept().close();
    // The first writes may still be taken by the system; once the peer's
    // reset is back, writing fails, and the process lives on to see it.
    bool failed = false;
    for (int i = 0; i < 200 && !failed; ++i) {
        failed = !client.send_all(std::string(1024, 'x'), 1000);
        if (!failed) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(failed);
}

TEST(LocalTime, GoesBackToTheSameInstant) {
    for (std::time_t t : {std::time_t{1000000000}, std::time_t{1767225599}}) {
        std::tm tm = local_time(t);
        EXPECT_GE(tm.tm_year, 101);
        EXPECT_EQ(std::mktime(&tm), t) << t;
    }
}

TEST(Beep, IsCounted) {
    int before = beep_count();
    beep(0);
    beep(1);
    EXPECT_EQ(beep_count(), before + 2);
}

}  // namespace
}  // namespace zor::platform
