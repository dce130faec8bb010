#include "sim/definitions.h"

#include <utility>

#include "inspect/profile.h"
#include "inspect/snapshot.h"
#include "sim/gem_profile.h"
#include "textscan/numbers.h"

namespace zor::sim {
namespace {

using edit::Link;

// The profile's variable names (as matched) and what each stands for.
struct RoleName {
    inspect::Kind kind;
    const char* profile_name;
    GemRole role;
};
constexpr RoleName kRoles[] = {
    {inspect::Kind::SV, "Clock", GemRole::clock},
    {inspect::Kind::SV, "ControlState", GemRole::control_state},
    {inspect::Kind::SV, "EventsEnabled", GemRole::events_enabled},
    {inspect::Kind::SV, "AlarmsEnabled", GemRole::alarms_enabled},
    {inspect::Kind::SV, "AlarmsSet", GemRole::alarms_set},
    {inspect::Kind::SV, "ProcessState", GemRole::process_state},
    {inspect::Kind::SV, "PreviousProcessState", GemRole::previous_process_state},
    {inspect::Kind::EC, "EstablishCommunicationsTimeout",
     GemRole::establish_communications_timeout},
};

struct ProfileRole {
    inspect::Kind kind;
    std::string key;  // the name as matched
    GemRole role;
};

// The roles of the profile's entries that the simulator can serve.
std::vector<ProfileRole> profile_roles() {
    inspect::Profile profile;
    std::string error;
    std::vector<ProfileRole> out;
    if (!profile.parse(std::string(kGemProfile), error)) return out;
    for (const auto& e : profile.entries()) {
        std::string key = inspect::matching_name(e.kind, e.name);
        for (const auto& r : kRoles)
            if (r.kind == e.kind && inspect::matching_name(r.kind, r.profile_name) == key)
                out.push_back({r.kind, key, r.role});
    }
    return out;
}

TypedText typed(const edit::TextItem& t) { return {t.text, t.form, t.size, t.msize}; }

// Links resolve as the equipment resolves them: by name only, ID 0 included.
std::vector<uint32_t> resolve_all(const inspect::Snapshot& s, Link link,
                                  const std::vector<std::string>& names) {
    std::vector<uint32_t> out;
    for (const auto& n : names)
        if (auto target = s.resolve(link, n)) out.push_back(static_cast<uint32_t>(target->id));
    return out;
}

// An alarm's event: none when none is named or the name names no event.
std::optional<uint32_t> resolve_one(const inspect::Snapshot& s, Link link,
                                    const std::optional<std::string>& name) {
    if (!name) return std::nullopt;
    auto target = s.resolve(link, *name);
    if (!target) return std::nullopt;
    return static_cast<uint32_t>(target->id);
}

void take_variables(const inspect::Snapshot& snapshot, const edit::Table<edit::Variable>& table,
                    VariableKind kind, const std::vector<ProfileRole>& roles, Model& out) {
    for (const auto& e : table.entries()) {
        if (e.deleted) continue;
        const auto& d = e.def;
        Variable v;
        v.kind = kind;
        v.id = static_cast<uint32_t>(d.id);
        v.name = d.name;
        v.format = d.form;
        v.size = d.size;
        v.max_size = d.msize;
        v.units = d.units.value_or("");
        v.min = d.min;
        v.max = d.max;
        v.nominal = d.nominal;
        v.elements = resolve_all(snapshot, Link::Variable, d.vids);
        auto profile_kind = kind == VariableKind::SV   ? inspect::Kind::SV
                            : kind == VariableKind::EC ? inspect::Kind::EC
                                                       : inspect::Kind::DV;
        std::string key = inspect::matching_name(profile_kind, d.name);
        for (const auto& r : roles)
            if (r.kind == profile_kind && r.key == key) v.role = r.role;
        out.variables.push_back(std::move(v));
    }
}

}  // namespace

bool load_definitions(const std::string& fil, Model& out, std::string& error) {
    inspect::Snapshot snapshot;
    if (!snapshot.read(fil, error)) return false;
    const edit::Store& s = snapshot.store();
    Model m;
    auto roles = profile_roles();
    take_variables(snapshot, s.ec, VariableKind::EC, roles, m);
    take_variables(snapshot, s.sv, VariableKind::SV, roles, m);
    take_variables(snapshot, s.dv, VariableKind::DV, roles, m);
    for (const auto& e : s.ce.entries()) {
        if (e.deleted) continue;
        m.events.push_back({static_cast<uint32_t>(e.def.id), e.def.name,
                            e.def.enabled && textscan::boolean_value(*e.def.enabled) != 0,
                            resolve_all(snapshot, Link::Report, e.def.reports)});
    }
    for (const auto& e : s.rp.entries())
        if (!e.deleted)
            m.reports.push_back({static_cast<uint32_t>(e.def.id), e.def.name,
                                 resolve_all(snapshot, Link::Variable, e.def.variables)});
    for (const auto& e : s.al.entries()) {
        if (e.deleted) continue;
        const auto& d = e.def;
        m.alarms.push_back({static_cast<uint32_t>(d.id), d.name,
                            static_cast<uint8_t>(textscan::integer_value(d.alcd) & 0x7F), d.altx,
                            resolve_one(snapshot, Link::Event, d.ce_on),
                            resolve_one(snapshot, Link::Event, d.ce_off),
                            d.enabled && textscan::boolean_value(*d.enabled) != 0});
    }
    for (const auto& e : s.sp.entries())
        if (!e.deleted)
            m.spools.push_back(
                {e.def.stream, std::vector<int>(e.def.functions.begin(), e.def.functions.end())});
    for (const auto& e : s.pp.entries())
        if (!e.deleted) m.programs.push_back({e.def.name, typed(e.def.ppid), typed(e.def.body)});
    for (const auto& e : s.fp.entries()) {
        if (e.deleted) continue;
        FormattedProgram f{e.def.name, typed(e.def.ppid), e.def.mdln, e.def.softrev, {}};
        for (const auto& c : e.def.codes) {
            CommandCode code{typed(c.code), {}};
            for (const auto& p : c.params) code.params.push_back(typed(p));
            f.codes.push_back(std::move(code));
        }
        m.formatted.push_back(std::move(f));
    }
    for (const auto& e : s.tr.entries())
        if (!e.deleted)
            m.traces.push_back({e.def.name, typed(e.def.trid), e.def.dsper, e.def.totsmp,
                                e.def.repgsz,
                                resolve_all(snapshot, Link::StatusVariable, e.def.svs)});
    out = std::move(m);
    return true;
}

}  // namespace zor::sim
