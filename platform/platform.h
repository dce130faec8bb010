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
#include <ctime>
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
// True where a file name may start with a drive (C:\CVD300\LOG on Win32): a
// settings file written for the equipment PC names its folders so.
bool takes_drive_paths();
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

// An errno value from the functions above for the user: "is a directory"
// (EISDIR), "is not a regular file" (EINVAL), else the system's text.
std::string file_error_cause(int error);

// Replaces a whole file so that its name always leads to the old content or
// to the complete new one, never to a part: the new content goes to a
// temporary file in the target's directory, created exclusively (never
// through a link), which commit() flushes to disk and renames over the
// target, then syncs the directory. The replaced file's mode (and, where
// permitted, its owner and group) carries over to the new one. A directory,
// FIFO, device or socket at the path, and a file the caller may not write,
// are refused and left as they are.
class ReplacingFile {
  public:
    // What a symbolic link at the path stands for.
    enum class Link {
        // A file the user named: the file the link leads to is replaced, in
        // its own directory, and the link stays (as text editors save).
        write_through,
        // A name the program keeps for itself: the link is replaced by the
        // new file, and what it led to is never touched.
        replace,
    };

    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile() { discard(); }

    // Starts replacing `path`. The content is written under a fresh name, or
    // under `temporary` (a name in the same directory) when one is given:
    // whatever file or link stands there is removed first. False when the
    // path is refused or the temporary file cannot be made.
    bool open(const std::string& path, Link link = Link::write_through,
              const std::string& temporary = {});
    // Adds bytes to the new content; false once anything has failed.
    bool write(std::string_view bytes);
    // Puts the new content in place. With `backup` named, the file being
    // replaced is first kept under that name: as a second name for it, or
    // where there cannot be one, as a copy, which replaces an older backup
    // only once complete. False when anything failed: the temporary file is
    // gone then, and the target and the older backup are as they were.
    bool commit(const std::string& backup = {});
    // Gives up: the temporary file is removed, the target left untouched.
    void discard();
    bool is_open() const { return fd_ >= 0; }

    // The first failure as an errno value (0 for none): EISDIR for a
    // directory at the path, EINVAL for anything else that is no regular
    // file, EACCES for a file the caller may not write.
    int error() const { return error_; }
    // The same for the user (file_error_cause).
    std::string cause() const { return file_error_cause(error_); }
    // True when the failure was in keeping the backup.
    bool backup_failed() const { return backup_failed_; }

  private:
    bool fail(int error);
    bool flush();
    bool keep_backup(const std::string& backup);

    int fd_ = -1;
    std::string target_;     // the file replaced: the path, or where its link leads
    std::string temporary_;  // what the new content is written under
    std::string pending_;    // written bytes not yet handed to the system
    int error_ = 0;
    bool backup_failed_ = false;
};

// Replaces the file at `path` (a name the user gave: a link there is written
// through) by `bytes` with a ReplacingFile. 0, or the errno value of the
// failure; the file is as it was then.
int replace_whole_file(const std::string& path, std::string_view bytes);

// Opens a file the program keeps under a fixed name for writing from its
// start (created when missing, else emptied), never through a link: a
// symbolic link at the name is removed and a new file made in its place.
// Anything else that is no regular file is refused without blocking (errno
// EISDIR for a directory, EINVAL otherwise). Null on failure, errno saying
// why; close it with std::fclose.
std::FILE* open_working_file(const std::string& path);

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
// For a long-running program that builds large messages again and again:
// memory it frees is kept for the next one instead of going back to the
// system, so each message does not pay for fresh pages again.
void keep_freed_memory();

// ---- clock ------------------------------------------------------------------
// The calendar time of `t` in the local time zone; safe from any thread.
std::tm local_time(std::time_t t);

// ---- beep -------------------------------------------------------------------
// Sounds the terminal bell where there is one; every call is counted so tests
// can check that a beep was given.
void beep(int kind);
int beep_count();

}  // namespace zor::platform
