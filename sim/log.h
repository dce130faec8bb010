#pragma once
// The simulator's log: one line an entry, "2026-12-08 22:41:07.123 " then
// the text; messages as "<- S1F3 W [00000002] <L[0]>" (in from the host) or
// "-> ..." (out). Every entry goes to standard output and, when a file is
// set, to it; the file is renamed to FILE.1 (replacing) when it holds
// `max_lines` lines and a new one is begun.

#include <cstdio>
#include <string>
#include <string_view>

#include "secs/message.h"

namespace zor::sim {

class Log {
  public:
    Log() = default;
    ~Log();
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // Opens (appending) `path`, creating its directory. False with the
    // reason; the log then writes standard output only.
    bool open(const std::string& path, int max_lines, std::string& error);
    void set_stdout(bool on) { to_stdout_ = on; }

    void note(const std::string& text);
    // Entries are written at once but flushed here: the loop calls it
    // before it waits, so a burst of messages costs one flush.
    void flush();
    void message(bool incoming, const secs::Message& m);
    // The same with the body's SML made beforehand, in place of m.body.
    void message(bool incoming, const secs::Message& m, std::string_view body_sml);

    // The entry text of a message, without the time.
    static std::string message_text(bool incoming, const secs::Message& m);

  private:
    // Writes line_ and `tail` (a long text written from where it is) as one entry.
    void write(std::string_view tail = {});

    std::string line_;

    std::string path_;
    std::FILE* file_ = nullptr;
    int max_lines_ = 0;
    int lines_ = 0;
    bool to_stdout_ = true;
};

}  // namespace zor::sim
