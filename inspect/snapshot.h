#pragma once
// The live definitions of the equipment zoredit holds, copied out through
// its C interface into plain values the rules can walk. Soft-deleted
// definitions are left out: nothing may link to them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zor::inspect {

enum class Kind { EC, SV, DV, CE, RP, AL, SP, PP, FP, RC, TR };

// "EC", "SV", "DVVAL", … as the messages and the JSON name the kind.
const char* kind_name(Kind kind);

struct Limit {
    int32_t id = 0;
    std::optional<long double> low, upper;
};

struct Element {
    int32_t vid = 0;   // 0 when the name names no variable
    std::string name;  // as written
};

struct Variable {
    Kind kind = Kind::EC;
    int32_t id = 0;
    std::string name;
    int format = 0;
    int32_t size = 0;
    // Numeric formats: the values as numbers; A and J: the nominal text.
    std::optional<long double> min, max, nominal;
    std::optional<std::string> nominal_text;
    std::vector<Limit> limits;
    std::vector<int32_t> events;
    std::vector<Element> elements;
};

struct Event {
    int32_t id = 0;
    std::string name;
    std::vector<int32_t> reports;
};

struct Report {
    int32_t id = 0;
    std::string name;
    std::vector<int32_t> variables;
};

struct Alarm {
    int32_t id = 0;
    std::string name;
    uint8_t code = 0;
    uint32_t set_event = 0;  // 0 none (or a name that names no event)
    uint32_t clear_event = 0;
};

struct Spool {
    int stream = 0;
    std::vector<int32_t> functions;
};

struct Trace {
    std::string id;
    std::string name;
    std::string period;
    int32_t total_samples = 0;
    int32_t group_size = 0;
    std::vector<int32_t> variables;
};

// Process programs, formatted ones and recipes: only what links or names.
struct Program {
    Kind kind = Kind::PP;
    std::string id;
    std::string name;
};

struct Snapshot {
    std::vector<Variable> variables;  // EC, then SV, then DV, each in source order
    std::vector<Event> events;
    std::vector<Report> reports;
    std::vector<Alarm> alarms;
    std::vector<Spool> spools;  // streams with at least one function, ascending
    std::vector<Program> programs;
    std::vector<Trace> traces;

    size_t definition_count() const;
};

// Copies what zoredit holds now. False (with zoredit's reason) when a list
// or get fails, e.g. nothing is loaded.
bool take_snapshot(Snapshot& out, std::string& error);

// Loads `fil` (with the environment file `cnf`, or an empty one) into zoredit
// and takes the snapshot. False with zoredit's reason ("<fil>: damaged object
// file, record … at line N, byte B: …" for a fault of the object file).
bool load_snapshot(const std::string& fil, const std::string& cnf, Snapshot& out,
                   std::string& error);

}  // namespace zor::inspect
