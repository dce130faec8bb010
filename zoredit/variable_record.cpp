// TV_INFO: the record of EC, SV and DVVAL definitions.
#include <cstring>
#include <utility>

#include "zoredit/memory.h"
#include "zoredit/merge.h"
#include "zoredit/records.h"
#include "zoredit/text_util.h"
#include "zoredit/values.h"

namespace zor::edit {
namespace {

struct LimitView {
    int32_t id;
    ValueKey low, upper;
    bool operator==(const LimitView&) const = default;
};

LimitView view_of(const Limit& l, int form) {
    return {parse_int(l.id), value_key_from_text(form, l.low), value_key_from_text(form, l.upper)};
}

std::vector<int32_t> resolved(const std::vector<std::string>& names, Link link, const Store& s) {
    std::vector<int32_t> ids;
    ids.reserve(names.size());
    for (const auto& n : names) ids.push_back(s.resolve(link, n));
    return ids;
}

std::vector<int32_t> ids_of(const int32_t* ids, int32_t count) {
    return count > 0 ? std::vector<int32_t>(ids, ids + count) : std::vector<int32_t>{};
}

// An absent value and an empty text are one for A and J: the editor always
// hands in a text buffer for them.
std::optional<std::string> text_of_buffer(int form, const void* buffer) {
    if (!buffer) return std::nullopt;
    std::string text = value_text(form, buffer);
    if (is_text_format(form) && text.empty()) return std::nullopt;
    return text;
}

std::optional<std::string> merge_value(const std::optional<std::string>* held, int form,
                                       const void* buffer) {
    if (held && value_key_from_buffer(form, buffer) == value_key_from_text(form, *held))
        return *held;
    return text_of_buffer(form, buffer);
}

}  // namespace

void fill_record(const Variable& d, bool deleted, const Store& s, TV_INFO* r) {
    std::memset(r, 0, sizeof *r);
    try {
        r->vid = d.id;
        r->name = dup_text(d.name);
        r->format = static_cast<uint8_t>(d.form);
        r->size = d.size;
        r->min = value_buffer_from_text(d.form, d.size, d.min);
        r->max = value_buffer_from_text(d.form, d.size, d.max);
        r->nominal = value_buffer_from_text(d.form, d.size, d.nominal);
        r->units = dup_text(d.units.value_or(""));
        if (d.form == kFormatList) {
            if (!d.vids.empty()) {
                auto n = static_cast<int32_t>(d.vids.size());
                r->items.list = alloc_array<TV_LIST>(1);
                r->item_count = n;
                r->items.list->reserved_0 = n;
                r->items.list->vids = alloc_array<int32_t>(d.vids.size());
                r->items.list->names = alloc_array<char*>(d.vids.size());
                for (size_t i = 0; i < d.vids.size(); ++i) {
                    r->items.list->vids[i] = s.resolve(Link::Variable, d.vids[i]);
                    r->items.list->names[i] = dup_text(d.vids[i]);
                }
            }
        } else if (!d.limits.empty()) {
            r->items.limits = alloc_array<TV_LIMIT*>(d.limits.size());
            r->item_count = static_cast<int32_t>(d.limits.size());
            for (size_t i = 0; i < d.limits.size(); ++i) {
                TV_LIMIT* l = r->items.limits[i] = alloc_array<TV_LIMIT>(1);
                l->limit_id = parse_int(d.limits[i].id);
                l->low = value_buffer_from_text(d.form, d.size, d.limits[i].low);
                l->upper = value_buffer_from_text(d.form, d.size, d.limits[i].upper);
            }
        }
        if (!d.events.empty()) {
            r->ceids = alloc_array<int32_t>(d.events.size());
            r->ceid_count = static_cast<int32_t>(d.events.size());
            for (size_t i = 0; i < d.events.size(); ++i)
                r->ceids[i] = s.resolve(Link::Event, d.events[i]);
        }
        r->deleted = deleted ? 1 : 0;
    } catch (...) {
        free_record(r);
        throw;
    }
}

bool take_record(const TV_INFO& r, Kind kind, const Variable* held, const Store& s, Variable& out,
                 std::string& error) {
    if (!check_text(r.name, "name", true, error) || !check_text(r.units, "units", false, error) ||
        !check_count(r.ceid_count, r.ceids, "CEID", error) ||
        !check_count(r.item_count, r.items.limits, r.format == kFormatList ? "VID" : "limit", error,
                     r.format == kFormatList ? ZOR_MAX_LIST_VIDS : ZOR_MAX_LIST))
        return false;
    int form = r.format;
    if (!find_format(form)) {
        error = "format code " + std::to_string(form) + " unknown";
        return false;
    }
    const bool text_form = is_text_format(form);
    const std::pair<const void*, const char*> values[] = {
        {r.min, "min"}, {r.max, "max"}, {r.nominal, "nominal"}};
    for (const auto& [value, what] : values)
        if (text_form && !check_text(static_cast<const char*>(value), what, false, error))
            return false;

    Variable v = held ? *held : Variable{};
    const bool same_form = held && held->form == form;
    v.name = r.name;
    v.id = r.vid;
    v.form = form;
    v.min = merge_value(same_form ? &held->min : nullptr, form, r.min);
    v.max = merge_value(same_form ? &held->max : nullptr, form, r.max);
    v.nominal = merge_value(same_form ? &held->nominal : nullptr, form, r.nominal);
    // The variable editor sizes an A or J variable by its nominal text; that
    // size says nothing new while the nominal stays as it was.
    bool size_from_nominal = same_form && text_form && v.nominal == held->nominal &&
                             r.size == static_cast<int32_t>(held->nominal.value_or("").size());
    if (size_from_nominal) {
        v.size = held->size;
        v.msize = held->msize;
    } else {
        v.msize =
            merge_max_size(same_form, held ? held->size : 0, held ? held->msize : 0, form, r.size);
        v.size = r.size;
    }
    std::string units = r.units ? r.units : "";
    if (!(held && held->units.value_or("") == units))
        v.units = units.empty() ? std::nullopt : std::optional(units);

    if (form == kFormatList) {
        // A list record carries its VIDs; limits it cannot show stay.
        std::vector<int32_t> incoming;
        if (r.item_count > 0) {
            if (!r.items.list || !r.items.list->vids) {
                error = "VID list missing";
                return false;
            }
            incoming = ids_of(r.items.list->vids, r.item_count);
        }
        std::vector<std::string> held_vids = held ? held->vids : std::vector<std::string>{};
        v.vids = merge_list(held_vids, resolved(held_vids, Link::Variable, s), incoming, kNoCap,
                            [&](int32_t id, size_t) { return s.link_name(Link::Variable, id); });
        // The compiler emits the VIDs only when the nominal counts them.
        if (!v.vids.empty() &&
            (!v.nominal || decimal_value(*v.nominal) != static_cast<int32_t>(v.vids.size())))
            v.nominal = std::to_string(v.vids.size());
    } else {
        v.vids.clear();
        std::vector<LimitView> incoming;
        for (int32_t i = 0; i < r.item_count; ++i) {
            const TV_LIMIT* l = r.items.limits[i];
            if (!l) {
                error = "limit record missing";
                return false;
            }
            if (text_form &&
                (!check_text(static_cast<const char*>(l->low), "limit low", false, error) ||
                 !check_text(static_cast<const char*>(l->upper), "limit upper", false, error)))
                return false;
            incoming.push_back({l->limit_id, value_key_from_buffer(form, l->low),
                                value_key_from_buffer(form, l->upper)});
        }
        std::vector<Limit> held_limits = held ? held->limits : std::vector<Limit>{};
        std::vector<LimitView> held_view;
        for (const auto& l : held_limits) held_view.push_back(view_of(l, form));
        v.limits = merge_list(
            held_limits, held_view, incoming, ShownCaps::limits, [&](const LimitView&, size_t i) {
                const TV_LIMIT* l = r.items.limits[i];
                return Limit{std::to_string(l->limit_id), value_text(form, l->low),
                             value_text(form, l->upper)};
            });
    }

    // The variable editor shows CEIDs for status variables only; an EC or
    // DV record without any keeps its events.
    std::vector<int32_t> ceids = ids_of(r.ceids, r.ceid_count);
    if (kind == Kind::SV || !ceids.empty()) {
        std::vector<std::string> held_events = held ? held->events : std::vector<std::string>{};
        v.events = merge_list(held_events, resolved(held_events, Link::Event, s), ceids,
                              kind == Kind::SV ? ShownCaps::sv_ceids : kNoCap,
                              [&](int32_t id, size_t) { return s.link_name(Link::Event, id); });
    }
    out = std::move(v);
    return true;
}

void free_record(TV_INFO* r) {
    if (!r) return;
    free_block(r->name);
    free_block(r->min);
    free_block(r->max);
    free_block(r->nominal);
    free_block(r->units);
    if (r->format == kFormatList) {
        if (TV_LIST* list = r->items.list) {
            if (list->names)
                for (int32_t i = 0; i < r->item_count; ++i) free_block(list->names[i]);
            free_block(list->names);
            free_block(list->vids);
            free_block(list);
        }
    } else if (r->items.limits) {
        for (int32_t i = 0; i < r->item_count; ++i) {
            if (TV_LIMIT* l = r->items.limits[i]) {
                free_block(l->upper);
                free_block(l->low);
                free_block(l);
            }
        }
        free_block(r->items.limits);
    }
    free_block(r->ceids);
    r->name = nullptr;
    r->min = r->max = r->nominal = nullptr;
    r->units = nullptr;
    r->items.limits = nullptr;
    r->item_count = 0;
    r->ceids = nullptr;
    r->ceid_count = 0;
}

}  // namespace zor::edit
