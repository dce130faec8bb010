#pragma once
// The held definitions, kept as the object file carries them: texts as
// written, links by name. Records handed to an editor are views computed
// from these (see records.h), so a definition nobody changed is written back
// exactly as it was read.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zor::edit {

enum class Kind { EC, SV, DV, CE, RP, AL, SP, PP, FP, RC, TR };
inline constexpr int kKindCount = 11;

// A text that travels with its SECS-II item format and sizes (IDs of PP, FPP
// and traces, bodies, command codes and their parameters, recipe values).
struct TextItem {
    std::string text;
    int32_t form = 16;
    int32_t size = 0;
    int32_t msize = 0;
    bool operator==(const TextItem&) const = default;
};

struct Limit {
    std::string id, low, upper;
    bool operator==(const Limit&) const = default;
};

struct Variable {
    std::string name;
    int32_t id = 0;
    int32_t form = 0;
    int32_t size = 0;
    int32_t msize = 0;
    std::optional<std::string> units, min, max, nominal;
    std::vector<Limit> limits;
    std::vector<std::string> events;  // CE names
    std::vector<std::string> vids;    // element variable names (format L)
    bool operator==(const Variable&) const = default;
};

struct Event {
    std::string name;
    int32_t id = 0;
    std::optional<std::string> enabled;
    std::vector<std::string> reports;  // report names
    bool operator==(const Event&) const = default;
};

struct Report {
    std::string name;
    int32_t id = 0;
    std::vector<std::string> variables;  // variable names
    bool operator==(const Report&) const = default;
};

struct Alarm {
    std::string name;
    int32_t id = 0;
    std::string alcd, altx;
    std::optional<std::string> ce_on, ce_off, enabled;  // CE names, enable text
    bool operator==(const Alarm&) const = default;
};

struct Spool {
    std::string name;
    int32_t stream = 0;              // byte
    std::vector<int32_t> functions;  // bytes
    bool operator==(const Spool&) const = default;
};

struct ProcessProgram {
    std::string name;
    TextItem ppid, body;
    bool operator==(const ProcessProgram&) const = default;
};

struct CommandCode {
    TextItem code;
    std::vector<TextItem> params;
    bool operator==(const CommandCode&) const = default;
};

struct FormattedProgram {
    std::string name;
    TextItem ppid;
    std::string mdln, softrev;
    std::vector<CommandCode> codes;
    bool operator==(const FormattedProgram&) const = default;
};

struct RecipeParam {
    std::optional<std::string> name;
    std::optional<TextItem> value;  // msize unused
    bool operator==(const RecipeParam&) const = default;
};

struct Recipe {
    std::string name;
    std::string id;
    std::optional<std::string> body;
    std::vector<RecipeParam> params;
    bool operator==(const Recipe&) const = default;
};

struct Trace {
    std::string name;
    TextItem trid;
    std::string dsper;
    int32_t totsmp = 0, repgsz = 0;
    std::vector<std::string> svs;  // status variable names
    bool operator==(const Trace&) const = default;
};

// Everything one object file holds, each kind in file order.
struct Equipment {
    std::vector<Variable> ec, sv, dv;
    std::vector<Event> ce;
    std::vector<Report> rp;
    std::vector<Alarm> al;
    std::vector<Spool> sp;
    std::vector<ProcessProgram> pp;
    std::vector<FormattedProgram> fp;
    std::vector<Recipe> rc;
    std::vector<Trace> tr;
    bool operator==(const Equipment&) const = default;
};

}  // namespace zor::edit
