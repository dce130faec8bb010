// TCE_INFO, TRP_INFO and TAL_INFO: collection events, reports and alarms.
#include <cstring>

#include "zoredit/memory.h"
#include "zoredit/merge.h"
#include "zoredit/records.h"
#include "zoredit/text_util.h"

namespace zor::edit {
namespace {

// Writes the resolved IDs of `names` into a new array.
int32_t* id_array(const std::vector<std::string>& names, Link link, const Store& s) {
    if (names.empty()) return nullptr;
    auto* ids = alloc_array<int32_t>(names.size());
    for (size_t i = 0; i < names.size(); ++i) ids[i] = s.resolve(link, names[i]);
    return ids;
}

std::vector<std::string> merge_links(const std::vector<std::string>* held, Link link,
                                     const int32_t* ids, int32_t count, size_t cap,
                                     const Store& s) {
    std::vector<std::string> held_names = held ? *held : std::vector<std::string>{};
    std::vector<int32_t> held_ids;
    for (const auto& n : held_names) held_ids.push_back(s.resolve(link, n));
    std::vector<int32_t> incoming =
        count > 0 ? std::vector<int32_t>(ids, ids + count) : std::vector<int32_t>{};
    return merge_list(held_names, held_ids, incoming, cap,
                      [&](int32_t id, size_t) { return s.link_name(link, id); });
}

std::optional<std::string> merge_single_link(const std::optional<std::string>* held, Link link,
                                             uint32_t id, const Store& s) {
    int32_t shown = held && *held ? s.resolve(link, **held) : 0;
    if (held && static_cast<int32_t>(id) == shown) return *held;
    if (id == 0) return std::nullopt;
    return s.link_name(link, static_cast<int32_t>(id));
}

}  // namespace

// ---- collection events ----------------------------------------------------------

void fill_record(const Event& d, bool deleted, const Store& s, TCE_INFO* r) {
    std::memset(r, 0, sizeof *r);
    try {
        r->ceid = d.id;
        r->name = dup_text(d.name);
        r->ceed = enable_value(d.enabled);
        r->rpids = id_array(d.reports, Link::Report, s);
        r->rpid_count = static_cast<int32_t>(d.reports.size());
        r->deleted = deleted ? 1 : 0;
    } catch (...) {
        free_record(r);
        throw;
    }
}

bool take_record(const TCE_INFO& r, const Event* held, const Store& s, Event& out,
                 std::string& error) {
    if (!check_text(r.name, "name", true, error) ||
        !check_count(r.rpid_count, r.rpids, "RPID", error))
        return false;
    Event e = held ? *held : Event{};
    e.name = r.name;
    e.id = r.ceid;
    e.enabled = merge_enable(held ? &held->enabled : nullptr, r.ceed);
    e.reports = merge_links(held ? &held->reports : nullptr, Link::Report, r.rpids, r.rpid_count,
                            ShownCaps::ce_reports, s);
    out = std::move(e);
    return true;
}

void free_record(TCE_INFO* r) {
    if (!r) return;
    free_block(r->name);
    free_block(r->rpids);
    r->name = nullptr;
    r->rpids = nullptr;
    r->rpid_count = 0;
}

// ---- reports --------------------------------------------------------------------

void fill_record(const Report& d, bool deleted, const Store& s, TRP_INFO* r) {
    std::memset(r, 0, sizeof *r);
    try {
        r->rpid = d.id;
        r->name = dup_text(d.name);
        r->vids = id_array(d.variables, Link::Variable, s);
        r->vid_count = static_cast<int32_t>(d.variables.size());
        r->deleted = deleted ? 1 : 0;
    } catch (...) {
        free_record(r);
        throw;
    }
}

bool take_record(const TRP_INFO& r, const Report* held, const Store& s, Report& out,
                 std::string& error) {
    if (!check_text(r.name, "name", true, error) || !check_count(r.vid_count, r.vids, "VID", error))
        return false;
    Report p = held ? *held : Report{};
    p.name = r.name;
    p.id = r.rpid;
    p.variables = merge_links(held ? &held->variables : nullptr, Link::Variable, r.vids,
                              r.vid_count, ShownCaps::report_vids, s);
    out = std::move(p);
    return true;
}

void free_record(TRP_INFO* r) {
    if (!r) return;
    free_block(r->name);
    free_block(r->vids);
    r->name = nullptr;
    r->vids = nullptr;
    r->vid_count = 0;
}

// ---- alarms ---------------------------------------------------------------------

void fill_record(const Alarm& d, bool deleted, const Store& s, TAL_INFO* r) {
    std::memset(r, 0, sizeof *r);
    try {
        r->alid = d.id;
        r->name = dup_text(d.name);
        r->alcd = static_cast<uint8_t>(parse_int(d.alcd));
        r->altx = dup_text(d.altx);
        r->aled = enable_value(d.enabled);
        r->ce_on = d.ce_on ? static_cast<uint32_t>(s.resolve(Link::Event, *d.ce_on)) : 0;
        r->ce_off = d.ce_off ? static_cast<uint32_t>(s.resolve(Link::Event, *d.ce_off)) : 0;
        r->deleted = deleted ? 1 : 0;
    } catch (...) {
        free_record(r);
        throw;
    }
}

bool take_record(const TAL_INFO& r, const Alarm* held, const Store& s, Alarm& out,
                 std::string& error) {
    if (!check_text(r.name, "name", true, error) || !check_text(r.altx, "ALTX", false, error))
        return false;
    Alarm a = held ? *held : Alarm{};
    a.name = r.name;
    a.id = r.alid;
    if (!held || static_cast<uint8_t>(parse_int(held->alcd)) != r.alcd)
        a.alcd = std::to_string(r.alcd);
    a.altx = r.altx ? r.altx : "";
    a.enabled = merge_enable(held ? &held->enabled : nullptr, r.aled);
    a.ce_on = merge_single_link(held ? &held->ce_on : nullptr, Link::Event, r.ce_on, s);
    a.ce_off = merge_single_link(held ? &held->ce_off : nullptr, Link::Event, r.ce_off, s);
    out = std::move(a);
    return true;
}

void free_record(TAL_INFO* r) {
    if (!r) return;
    free_block(r->name);
    free_block(r->altx);
    r->name = nullptr;
    r->altx = nullptr;
}

}  // namespace zor::edit
