#include "inspect/snapshot.h"

#include <utility>

#include "zoredit/fil_reader.h"

namespace zor::inspect {
namespace {

template <class Def>
std::optional<Target> find(const edit::Table<Def>& table, Kind kind, std::string_view name) {
    size_t i = table.find_name(name);
    if (i == edit::Table<Def>::npos) return std::nullopt;
    const Def& d = table.entries()[i].def;
    return Target{kind, d.id, &d.name};
}

template <auto Table>
size_t table_size(const edit::Store& s) {
    return (s.*Table).size();
}

// Each kind's table size, in the order of Kind.
constexpr size_t (*kSizes[])(const edit::Store&) = {
    table_size<&edit::Store::ec>, table_size<&edit::Store::sv>, table_size<&edit::Store::dv>,
    table_size<&edit::Store::ce>, table_size<&edit::Store::rp>, table_size<&edit::Store::al>,
    table_size<&edit::Store::sp>, table_size<&edit::Store::pp>, table_size<&edit::Store::fp>,
    table_size<&edit::Store::rc>, table_size<&edit::Store::tr>,
};
static_assert(std::size(kSizes) == std::size(kAllKinds));

}  // namespace

const char* kind_name(Kind kind) {
    static const char* const names[] = {"EC",    "SV", "DVVAL", "CE",  "RP",   "AL",
                                        "SPOOL", "PP", "FPP",   "RCP", "TRACE"};
    return names[static_cast<int>(kind)];
}

Snapshot::Snapshot(edit::Equipment equipment) { store_.load(std::move(equipment)); }

bool Snapshot::read(const std::string& fil, std::string& error) {
    edit::Equipment equipment;
    store_.clear();
    if (!edit::read_fil_file(fil, equipment, error)) {
        error = fil + ": " + error;
        return false;
    }
    store_.load(std::move(equipment));
    return true;
}

size_t Snapshot::count(Kind kind) const { return kSizes[static_cast<size_t>(kind)](store_); }

size_t Snapshot::definition_count() const { return store_.size(); }

std::optional<Target> Snapshot::resolve(edit::Link link, std::string_view name) const {
    switch (link) {
        case edit::Link::Event: return find(store_.ce, Kind::CE, name);
        case edit::Link::Report: return find(store_.rp, Kind::RP, name);
        case edit::Link::StatusVariable:
            for (Kind k : {Kind::SV, Kind::EC, Kind::DV})
                if (auto t = find(store_.variables(static_cast<edit::Kind>(k)), k, name)) return t;
            return std::nullopt;
        case edit::Link::Variable:
            for (Kind k : {Kind::EC, Kind::SV, Kind::DV})
                if (auto t = find(store_.variables(static_cast<edit::Kind>(k)), k, name)) return t;
            return std::nullopt;
    }
    return std::nullopt;
}

void Snapshot::each_definition(
    const std::function<void(Kind, const std::string&, const std::string&)>& f) const {
    size_t kind = 0;
    edit::for_each_kind([&](auto table, auto) {
        for (const auto& e : (store_.*table).entries())
            f(kAllKinds[kind], shown_id(e.def), e.def.name);
        ++kind;
    });
}

std::string shown_id(const edit::Variable& d) { return std::to_string(d.id); }
std::string shown_id(const edit::Event& d) { return std::to_string(d.id); }
std::string shown_id(const edit::Report& d) { return std::to_string(d.id); }
std::string shown_id(const edit::Alarm& d) { return std::to_string(d.id); }
std::string shown_id(const edit::Spool& d) { return std::to_string(d.stream); }
std::string shown_id(const edit::ProcessProgram& d) { return d.ppid.text; }
std::string shown_id(const edit::FormattedProgram& d) { return d.ppid.text; }
std::string shown_id(const edit::Recipe& d) { return d.id; }
std::string shown_id(const edit::Trace& d) { return d.trid.text; }

std::vector<Kind> Snapshot::variable_kinds_named(std::string_view name) const {
    std::vector<Kind> out;
    for (Kind k : {Kind::EC, Kind::SV, Kind::DV})
        if (store_.variables(static_cast<edit::Kind>(k)).find_name(name) !=
            edit::Table<edit::Variable>::npos)
            out.push_back(k);
    return out;
}

}  // namespace zor::inspect
