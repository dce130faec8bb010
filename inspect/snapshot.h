#pragma once
// One reading of an object file for every command (check, export, diff)
// and for whoever else needs the equipment as the host will meet it: every
// definition exactly as the file holds it (texts as written, links by name),
// and the links resolved as the equipment resolves them, by name only.
//
// Ownership: a Snapshot owns its definitions (an edit::Store, by value).
// What `store()` and `resolve()` hand out points into the snapshot and lives
// as long as it does; a Snapshot is movable and never shared between
// threads while it is being read.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zoredit/model.h"
#include "zoredit/store.h"

namespace zor::inspect {

// The order of the object file's kinds (and of edit::Kind).
enum class Kind { EC, SV, DV, CE, RP, AL, SP, PP, FP, RC, TR };

// "EC", "SV", "DVVAL", … as the messages and the JSON name the kind.
const char* kind_name(Kind kind);

// All kinds in the order of Kind.
inline constexpr Kind kAllKinds[] = {Kind::EC, Kind::SV, Kind::DV, Kind::CE, Kind::RP, Kind::AL,
                                     Kind::SP, Kind::PP, Kind::FP, Kind::RC, Kind::TR};

// The definition a link's name leads to.
struct Target {
    Kind kind = Kind::EC;
    int32_t id = 0;                     // any value, 0 included: only the name decides
    const std::string* name = nullptr;  // the definition's own spelling
};

class Snapshot {
  public:
    Snapshot() = default;
    explicit Snapshot(edit::Equipment equipment);

    // Reads `fil` with zoredit's object-file reader. False with
    // "<fil>: <reason>" when the file cannot be read or is damaged; `out`
    // is then empty.
    bool read(const std::string& fil, std::string& error);

    // Every definition, each kind in file order.
    const edit::Store& store() const { return store_; }
    size_t count(Kind kind) const;
    size_t definition_count() const;

    // The definition `name` names, looked up as a name only (ASCII case
    // aside), in the kinds the equipment searches and in their order
    // (variables: EC, SV, DVVAL; a trace's variables: SV first). None when
    // no definition of those kinds carries the name: a name made of digits
    // is still a name.
    std::optional<Target> resolve(edit::Link link, std::string_view name) const;
    // Every variable kind (EC, SV, DVVAL order) that has a definition named
    // `name`.
    std::vector<Kind> variable_kinds_named(std::string_view name) const;

    // Calls f(kind, ID as shown, name) for every definition, the kinds in
    // the order of Kind, each in file order.
    void each_definition(
        const std::function<void(Kind, const std::string&, const std::string&)>& f) const;

  private:
    edit::Store store_;
};

// A definition's ID as people read it: decimal, the text ID as written, a
// spool's stream.
std::string shown_id(const edit::Variable& d);
std::string shown_id(const edit::Event& d);
std::string shown_id(const edit::Report& d);
std::string shown_id(const edit::Alarm& d);
std::string shown_id(const edit::Spool& d);
std::string shown_id(const edit::ProcessProgram& d);
std::string shown_id(const edit::FormattedProgram& d);
std::string shown_id(const edit::Recipe& d);
std::string shown_id(const edit::Trace& d);

}  // namespace zor::inspect
