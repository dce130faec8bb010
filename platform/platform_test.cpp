#include "platform/platform.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

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

TEST(StartProcess, RunsWithoutWaitingAndReportsMissingPrograms) {
    auto dir = std::filesystem::temp_directory_path() / ("zorproc" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    auto marker = dir / "made by child";
    ASSERT_EQ(start_process("/bin/sh", {"-c", "echo hi > \"$0\"", marker.string()}), 0);
    for (int i = 0; i < 200 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(marker));
    EXPECT_NE(start_process("/nonexistent/program", {}), 0);
    std::filesystem::remove_all(dir);
}

TEST(Files, RemoveReports) {
    auto dir = std::filesystem::temp_directory_path() / ("zorfiles" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::string b = (dir / "b").string();
    std::ofstream(b) << "old";
    EXPECT_TRUE(remove_file(b));
    EXPECT_FALSE(remove_file(b));
    std::filesystem::remove_all(dir);
}

TEST(Files, OnlyRegularFilesAreReadAndNothingBlocks) {
    auto dir = std::filesystem::temp_directory_path() / ("zorread" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "sub");
    std::string file = (dir / "f").string(), fifo = (dir / "p").string();
    std::ofstream(file, std::ios::binary) << std::string(70000, 'x') << "end";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string bytes = "stale";
    ASSERT_TRUE(read_regular_file(file, bytes));
    EXPECT_EQ(bytes.size(), 70003u);
    EXPECT_EQ(bytes.substr(69998), "xxend");
    EXPECT_FALSE(read_regular_file((dir / "sub").string(), bytes));
    EXPECT_EQ(errno, EISDIR);
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(read_regular_file(fifo, bytes));  // no writer: must come back at once
    EXPECT_FALSE(read_regular_file((dir / "missing").string(), bytes));
    EXPECT_EQ(errno, ENOENT);

    // The same refusals, said for the user.
    std::string error;
    ASSERT_TRUE(read_whole_file(file, bytes, error));
    EXPECT_EQ(bytes.size(), 70003u);
    EXPECT_FALSE(read_whole_file((dir / "missing").string(), bytes, error));
    EXPECT_EQ(error, "cannot open " + (dir / "missing").string());
    EXPECT_FALSE(read_whole_file((dir / "sub").string(), bytes, error));
    EXPECT_EQ(error, "cannot read " + (dir / "sub").string() + ": Is a directory");
    EXPECT_FALSE(read_whole_file(fifo, bytes, error));
    EXPECT_EQ(error, "cannot read " + fifo + ": Invalid argument");
    bytes = "stale";
    EXPECT_TRUE(read_whole_file("/dev/null", bytes, error));  // "none", read as empty
    EXPECT_EQ(bytes, "");
    EXPECT_FALSE(read_whole_file("/dev/zero", bytes, error));  // would never end
    std::filesystem::remove_all(dir);
}

TEST(Files, SameFileSeesThroughLinksAndSpellings) {
    auto dir = std::filesystem::temp_directory_path() / ("zorsame" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::string a = (dir / "a").string(), b = (dir / "b").string();
    std::ofstream(a) << "a";
    std::ofstream(b) << "a";
    std::filesystem::create_hard_link(a, dir / "hard");
    std::filesystem::create_symlink(a, dir / "soft");
    EXPECT_TRUE(same_file(a, (dir / "hard").string()));
    EXPECT_TRUE(same_file((dir / "soft").string(), a));
    EXPECT_TRUE(same_file(a, (dir / "." / "a").string()));
    EXPECT_FALSE(same_file(a, b));  // equal bytes, other file
    EXPECT_FALSE(same_file(a, (dir / "missing").string()));
    std::filesystem::remove_all(dir);
}

TEST(FileLock, ASecondHolderWaitsForTheFirst) {
    auto dir = std::filesystem::temp_directory_path() / ("zorlock" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::string path = (dir / "lock").string();
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
    EXPECT_EQ(FileLock().try_lock((dir / "no" / "lock").string()), FileLock::State::failed);
    std::filesystem::remove_all(dir);
}

// A listener on a free loopback port; returns the listening socket and port.
std::pair<int, int> listen_on_free_port() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(fd, 1);
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    return {fd, ntohs(addr.sin_port)};
}

std::string read_frame(int fd) {
    unsigned char head[4];
    if (recv(fd, head, 4, MSG_WAITALL) != 4) return "<closed>";
    uint32_t n = (uint32_t{head[0]} << 24) | (head[1] << 16) | (head[2] << 8) | head[3];
    std::string body(n, '\0');
    if (n && recv(fd, body.data(), n, MSG_WAITALL) != static_cast<ssize_t>(n)) return "<short>";
    return body;
}

TEST(NotifyChannel, FramesEachMessageAndWaitsForTheAcknowledgement) {
    auto [listener, port] = listen_on_free_port();
    std::vector<std::string> seen;
    std::thread editor([&, listener = listener] {
        int c = accept(listener, nullptr, nullptr);
        for (int i = 0; i < 2; ++i) {
            seen.push_back(read_frame(c));
            char ack = 1;
            send(c, &ack, 1, 0);
        }
        close(c);
    });
    NotifyChannel channel;
    ASSERT_TRUE(channel.open(port));
    EXPECT_TRUE(channel.send("first\r\n"));
    EXPECT_TRUE(channel.send(""));
    editor.join();
    EXPECT_EQ(seen, (std::vector<std::string>{"first\r\n", ""}));
    // The peer is gone: the next send fails and the channel stays closed.
    EXPECT_FALSE(channel.send("third"));
    EXPECT_FALSE(channel.is_open());
    close(listener);
}

TEST(NotifyChannel, GivesUpWhenNoAcknowledgementComes) {
    auto [listener, port] = listen_on_free_port();
    NotifyChannel channel;
    ASSERT_TRUE(channel.open(port, 100));
    int peer = accept(listener, nullptr, nullptr);
    EXPECT_FALSE(channel.send("nobody answers"));
    EXPECT_FALSE(channel.is_open());
    close(peer);
    close(listener);
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
