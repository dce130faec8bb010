#pragma once
// The few things that differ between operating systems, kept behind plain
// functions so the compiler, zoredit and their tests stay portable. Each
// concern has a POSIX file and a Win32 file (foo_posix.cpp, foo_win32.cpp);
// CMake picks one of the two.
//
// File names are Shift-JIS (code page 932) bytes everywhere: POSIX takes them
// as they are, Win32 converts them to UTF-16 for its wide API, so a Japanese
// name works whatever the system's code page.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zor::platform {

// ---- file names ---------------------------------------------------------------
// The name as the standard library's file functions take it (std::fstream,
// std::filesystem), and back.
std::filesystem::path native_path(const std::string& name);
std::string path_name(const std::filesystem::path& path);
// Where the last component of `path` begins: after the last separator ('/';
// on Win32 also '\\' and a drive's colon, never a Shift-JIS trail byte).
size_t file_name_start(std::string_view path);
// The program's arguments as Shift-JIS bytes, argv[0] included.
std::vector<std::string> program_arguments(int argc, char** argv);

// ---- files ----------------------------------------------------------------
// std::fopen in binary mode whatever `mode` says: the programs write their
// own line ends, byte for byte the same on every system.
std::FILE* open_file(const std::string& path, const char* mode);
// Standard output and error pass bytes unchanged (no LF to CR LF).
void binary_standard_streams();
// The name of the null device, for "no file".
const char* null_device();
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
    std::intptr_t handle_ = -1;
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
    bool is_open() const { return socket_ != kNone; }

  private:
    static constexpr std::uintptr_t kNone = ~std::uintptr_t{0};
    std::uintptr_t socket_ = kNone;
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

// ---- Shift-JIS text --------------------------------------------------------------
// Converts code page 932 text to UTF-8; one converter serves many texts
// (opening the table costs more than converting a short text).
class Cp932Decoder {
  public:
    Cp932Decoder();
    ~Cp932Decoder();
    Cp932Decoder(const Cp932Decoder&) = delete;
    Cp932Decoder& operator=(const Cp932Decoder&) = delete;

    // The text in UTF-8. A byte (or pair) the code page does not map comes
    // out as U+FFFD and the rest still converts. `width` gives the length of
    // the character at a position (1 or 2).
    std::string to_utf8(std::string_view sjis, size_t (*width)(std::string_view, size_t));

  private:
    void* state_ = nullptr;
};

// ---- beep -------------------------------------------------------------------
// Sounds the terminal bell where there is one; every call is counted so tests
// can check that a beep was given.
void beep(int kind);
int beep_count();

}  // namespace zor::platform
