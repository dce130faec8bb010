#pragma once
// The scenario and console language, one command a line:
//   set VARIABLE VALUE...      event EVENT        alarm set|clear ALARM
//   trace start TRACE          wait 2s | 500ms | S6F12
//   expect SxFy                offline | online | disconnect | quit
// Names are definition names (any case) or decimal IDs; a trace is named by
// its definition name or TRID. '#' begins a comment line; values may be
// quoted ("two words").

#include <chrono>
#include <string>
#include <vector>

namespace zor::sim {

struct Command {
    enum class Kind {
        set,
        event,
        alarm_set,
        alarm_clear,
        trace_start,
        wait_time,
        wait_s6f12,
        expect,
        offline,
        online,
        disconnect,
        quit,
    };
    Kind kind = Kind::quit;
    std::string name;                 // the variable, event, alarm or trace
    std::vector<std::string> values;  // set
    std::chrono::milliseconds time{0};
    int stream = 0, function = 0;  // expect
    int line = 0;
    std::string text;  // the line as written, blanks around removed
};

// Reads one line. False with the reason when it is no command; true with
// `blank` for an empty or comment line.
bool parse_command(const std::string& text, int line, Command& out, bool& blank,
                   std::string& error);

// Splits a line into words; "…" groups (the quotes go), \" and \\ inside.
std::vector<std::string> command_words(const std::string& text);

}  // namespace zor::sim
