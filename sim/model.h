#pragma once
// The equipment as the simulator serves it: every definition the object file
// holds, links resolved to IDs, texts as the file's bytes (Shift-JIS). Built
// once by load_definitions (definitions.h); the GEM state (equipment.h)
// starts from it and changes only its own copy.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zor::sim {

// A text or value with the SECS-II item format (code) and sizes it is sent in.
struct TypedText {
    std::string text;
    int format = 16;
    int32_t size = 0;
    int32_t max_size = 0;
};

enum class VariableKind { EC, SV, DV };

// What a variable the GEM profile names stands for: the live state a status
// variable reads instead of its nominal value, or a constant the equipment
// itself obeys.
enum class GemRole {
    none,
    clock,
    control_state,
    events_enabled,
    alarms_enabled,
    alarms_set,
    process_state,
    previous_process_state,
    establish_communications_timeout,  // EC: seconds between S1F13 attempts
};

struct Variable {
    VariableKind kind = VariableKind::SV;
    uint32_t id = 0;
    std::string name;
    int format = 0;
    int32_t size = 0;
    int32_t max_size = 0;
    std::string units;
    std::optional<std::string> min, max, nominal;
    std::vector<uint32_t> elements;  // format L: the element variables' IDs
    GemRole role = GemRole::none;
};

struct Event {
    uint32_t id = 0;
    std::string name;
    bool enabled = false;
    std::vector<uint32_t> reports;
};

struct Report {
    uint32_t id = 0;
    std::string name;
    std::vector<uint32_t> variables;
};

struct Alarm {
    uint32_t id = 0;
    std::string name;
    uint8_t code = 0;  // ALCD without the set bit
    std::string text;
    // The events the alarm's set and clear trigger; ID 0 is an event like
    // any other, so "none" is its own state.
    std::optional<uint32_t> set_event, clear_event;
    bool enabled = false;
};

struct Spool {
    int stream = 0;
    std::vector<int> functions;
};

struct ProcessProgram {
    std::string name;
    TypedText ppid, body;
};

struct CommandCode {
    TypedText code;
    std::vector<TypedText> params;
};

struct FormattedProgram {
    std::string name;
    TypedText ppid;
    std::string mdln, softrev;
    std::vector<CommandCode> codes;
};

struct Trace {
    std::string name;
    TypedText trid;
    std::string period;  // DSPER as written: hhmmss or hhmmsscc
    int32_t total_samples = 0;
    int32_t group_size = 0;
    std::vector<uint32_t> variables;
};

struct Model {
    std::vector<Variable> variables;  // EC, SV, DV in file order
    std::vector<Event> events;
    std::vector<Report> reports;
    std::vector<Alarm> alarms;
    std::vector<Spool> spools;
    std::vector<ProcessProgram> programs;
    std::vector<FormattedProgram> formatted;
    std::vector<Trace> traces;
};

}  // namespace zor::sim
