#pragma once
// The few things that differ between operating systems, kept behind plain
// functions so the compiler, zoredit and their tests stay portable. This is
// the POSIX build; a Win32 build supplies the same functions.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zor::platform {

// ---- files ----------------------------------------------------------------
// Renames `from` to `to`, replacing an existing `to` in one step.
bool rename_replacing(const std::string& from, const std::string& to);
// Removes a file; false when it did not exist or could not be removed.
bool remove_file(const std::string& path);
bool file_exists(const std::string& path);
// Reads the whole of a regular file. Anything else (a directory, a FIFO, a
// device other than the null device, which reads as empty) is refused without
// blocking, and so is a file whose read fails;
// false then, with errno saying why.
bool read_regular_file(const std::string& path, std::string& bytes);
// The same, with a refusal said for the user: "cannot open PATH" when the
// file cannot be opened, "cannot read PATH: cause" when it is no regular file
// or its read fails.
bool read_whole_file(const std::string& path, std::string& bytes, std::string& error);
// True when both names lead to one existing file (same device and inode),
// however they are spelled or linked.
bool same_file(const std::string& a, const std::string& b);

// An exclusive lock on a file (created when missing), held until release()
// or destruction; other processes that lock the same file wait. Advisory:
// it only keeps out those who ask for it.
class FileLock {
  public:
    enum class State { held, busy, failed };
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { release(); }

    // Takes the lock if nobody holds it; busy when someone does (the file
    // stays open for wait()); failed when the file cannot be opened.
    State try_lock(const std::string& path);
    // Waits until the lock found busy is free and takes it.
    bool wait();
    void release();

  private:
    int fd_ = -1;
};

// ---- progress channel to a waiting editor ------------------------------------
// Stands in for a synchronous window message: each message goes out as a
// 4-byte big-endian length and its bytes, and send() returns only after the
// peer has answered with one acknowledgement byte. Any failure (no listener,
// peer closed, no answer within the timeout) closes the channel for good, so
// the caller just keeps calling send() and compiles on.
class NotifyChannel {
  public:
    NotifyChannel() = default;
    NotifyChannel(const NotifyChannel&) = delete;
    NotifyChannel& operator=(const NotifyChannel&) = delete;
    ~NotifyChannel();

    // Connects to 127.0.0.1:port. Port 0 or out of range means nobody waits.
    bool open(int port, int ack_timeout_ms = 10000);
    bool send(std::string_view message);
    void close();
    bool is_open() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
    int ack_timeout_ms_ = 10000;
};

// ---- processes ----------------------------------------------------------------
// Splits an argument text as a Windows command line is split: blanks and tabs
// separate, double quotes group (and are removed), a backslash before a quote
// escapes it.
std::vector<std::string> split_command_line(std::string_view text);
// Starts `program` with `args` without waiting for it; the child is reaped
// without the caller's help, so no zombie stays. Returns 0 when started,
// else an errno value.
int start_process(const std::string& program, const std::vector<std::string>& args);
// A reader that closed standard output must not end the process: writes to
// it fail instead, and the program goes on with its files.
void ignore_broken_pipe();

// ---- beep -------------------------------------------------------------------
// Sounds the terminal bell where there is one; every call is counted so tests
// can check that a beep was given.
void beep(int kind);
int beep_count();

}  // namespace zor::platform
