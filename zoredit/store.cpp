#include "zoredit/store.h"

#include <algorithm>
#include <cstring>

#include "zoredit/text_util.h"

namespace zor::edit {

std::string numeric_key(int32_t id) {
    return std::string(reinterpret_cast<const char*>(&id), sizeof id);
}
std::string text_key(std::string_view id) { return fold_name(id); }

std::string key_of(const Variable& d) { return numeric_key(d.id); }
std::string key_of(const Event& d) { return numeric_key(d.id); }
std::string key_of(const Report& d) { return numeric_key(d.id); }
std::string key_of(const Alarm& d) { return numeric_key(d.id); }
std::string key_of(const Spool& d) { return numeric_key(d.stream); }
std::string key_of(const ProcessProgram& d) { return text_key(d.ppid.text); }
std::string key_of(const FormattedProgram& d) { return text_key(d.ppid.text); }
std::string key_of(const Recipe& d) { return text_key(d.id); }
std::string key_of(const Trace& d) { return text_key(d.trid.text); }

template <class Def>
size_t Table<Def>::find_name(std::string_view name) const {
    auto it = by_name_.find(fold_name(name));
    if (it == by_name_.end() || it->second.empty()) return npos;
    // A live definition wins over a deleted one that had the name before.
    size_t first = npos, first_live = npos;
    for (size_t i : it->second) {
        first = std::min(first, i);
        if (!entries_[i].deleted) first_live = std::min(first_live, i);
    }
    return first_live != npos ? first_live : first;
}

template <class Def>
bool Table<Def>::name_taken(std::string_view name, const std::string& key) const {
    auto it = by_name_.find(fold_name(name));
    if (it == by_name_.end()) return false;
    for (size_t i : it->second)
        if (!entries_[i].deleted && key_of(entries_[i].def) != key) return true;
    return false;
}

template <class Def>
void Table<Def>::index(size_t i) {
    by_key_.emplace(key_of(entries_[i].def), i);  // a repeated key keeps its first place
    by_name_[fold_name(entries_[i].def.name)].push_back(i);
}

template <class Def>
void Table<Def>::unindex_name(size_t i) {
    auto it = by_name_.find(fold_name(entries_[i].def.name));
    if (it == by_name_.end()) return;
    auto& v = it->second;
    v.erase(std::remove(v.begin(), v.end(), i), v.end());
    if (v.empty()) by_name_.erase(it);
}

template <class Def>
void Table<Def>::put(Def def, bool deleted) {
    std::string key = key_of(def);
    size_t i = find(key);
    if (i == npos) {
        entries_.push_back(Entry<Def>{std::move(def), deleted, kNoOrigin, {}});
        index(entries_.size() - 1);
        return;
    }
    unindex_name(i);
    Entry<Def>& e = entries_[i];
    if (e.origin != kNoOrigin && !e.saved) e.saved = std::move(e.def);
    e.def = std::move(def);
    e.deleted = deleted;
    by_name_[fold_name(entries_[i].def.name)].push_back(i);
}

template <class Def>
bool Table<Def>::remove(const std::string& key) {
    size_t i = find(key);
    if (i == npos) return false;
    if (entries_[i].origin != kNoOrigin)
        removed_.emplace_back(entries_[i].origin, entries_[i].as_saved());
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    by_key_.clear();
    by_name_.clear();
    for (size_t j = 0; j < entries_.size(); ++j) index(j);
    return true;
}

template <class Def>
void Table<Def>::remove_all() {
    // Everything that can run out of memory comes first: the table stays
    // whole when it does.
    removed_.reserve(removed_.size() + entries_.size());
    for (auto& e : entries_)
        if (e.origin != kNoOrigin)
            removed_.emplace_back(e.origin, std::move(e.saved ? *e.saved : e.def));
    entries_.clear();
    by_key_.clear();
    by_name_.clear();
}

template <class Def>
void Table<Def>::assign(std::vector<Def> defs) {
    entries_.clear();
    by_key_.clear();
    by_name_.clear();
    removed_.clear();
    entries_.reserve(defs.size());
    for (auto& d : defs) entries_.push_back(Entry<Def>{std::move(d), false, entries_.size(), {}});
    for (size_t j = 0; j < entries_.size(); ++j) index(j);
}

template <class Def>
std::vector<const Def*> Table<Def>::saved() const {
    std::vector<const Def*> out;
    auto place = [&](size_t origin, const Def& d) {
        if (origin >= out.size()) out.resize(origin + 1, nullptr);
        out[origin] = &d;
    };
    for (const auto& e : entries_)
        if (e.origin != kNoOrigin) place(e.origin, e.as_saved());
    for (const auto& [origin, d] : removed_) place(origin, d);
    return out;
}

template <class Def>
void Table<Def>::mark_saved() {
    size_t live = 0;
    for (auto& e : entries_) {
        e.origin = e.deleted ? kNoOrigin : live++;
        e.saved.reset();
    }
    removed_.clear();
}

template class Table<Variable>;
template class Table<Event>;
template class Table<Report>;
template class Table<Alarm>;
template class Table<Spool>;
template class Table<ProcessProgram>;
template class Table<FormattedProgram>;
template class Table<Recipe>;
template class Table<Trace>;

void Store::load(Equipment eq) {
    for_each_kind([&](auto table, auto list) { (this->*table).assign(std::move(eq.*list)); });
}

size_t Store::size() const {
    size_t n = 0;
    for_each_kind([&](auto table, auto) { n += (this->*table).size(); });
    return n;
}

void Store::mark_saved() {
    for (Kind k : {Kind::EC, Kind::SV, Kind::DV}) variables(k).mark_saved();
    ce.mark_saved();
    rp.mark_saved();
    al.mark_saved();
    sp.mark_saved();
    pp.mark_saved();
    fp.mark_saved();
    rc.mark_saved();
    tr.mark_saved();
}

namespace {

// The variable tables searched for a link, in order.
template <class F>
bool for_variable_tables(const Store& s, Link link, F f) {
    const Table<Variable>* order[3];
    if (link == Link::StatusVariable) {
        order[0] = &s.sv, order[1] = &s.ec, order[2] = &s.dv;
    } else {
        order[0] = &s.ec, order[1] = &s.sv, order[2] = &s.dv;
    }
    for (const auto* t : order)
        if (f(*t)) return true;
    return false;
}

// The tables a link looks in, in order, until `f` returns true.
template <class F>
bool for_link_tables(const Store& s, Link link, F f) {
    switch (link) {
        case Link::Variable:
        case Link::StatusVariable: return for_variable_tables(s, link, f);
        case Link::Event: return f(s.ce);
        case Link::Report: return f(s.rp);
    }
    return false;
}

template <class Def>
bool id_by_name(const Table<Def>& t, std::string_view name, int32_t& id) {
    size_t i = t.find_name(name);
    if (i == Table<Def>::npos) return false;
    id = t.entries()[i].def.id;
    return true;
}

template <class Def>
bool name_by_id(const Table<Def>& t, int32_t id, std::string& name) {
    const auto* e = t.get(numeric_key(id));
    if (!e) return false;
    name = e->def.name;
    return true;
}

}  // namespace

int32_t Store::resolve(Link link, std::string_view name) const {
    int32_t id = 0;
    if (for_link_tables(*this, link, [&](const auto& t) { return id_by_name(t, name, id); }))
        return id;
    return is_decimal_number(name) ? decimal_value(name) : 0;
}

std::optional<std::string> Store::name_of(Link link, int32_t id) const {
    std::string name;
    if (!for_link_tables(*this, link, [&](const auto& t) { return name_by_id(t, id, name); }))
        return std::nullopt;
    return name;
}

std::string Store::link_name(Link link, int32_t id) const {
    auto name = name_of(link, id);
    return name ? *name : decimal_text(id);
}

}  // namespace zor::edit
