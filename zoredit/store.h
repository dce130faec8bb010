#pragma once
// The held definitions of one equipment: one table per kind in source order,
// found by ID (text IDs folded) and by name in O(1), and the resolution of
// links, which the object file makes by name and the records by ID.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "zoredit/model.h"

namespace zor::edit {

inline constexpr size_t kNoOrigin = static_cast<size_t>(-1);

template <class Def>
struct Entry {
    Def def;
    bool deleted = false;
    // Place of the definition in the source as loaded or last saved,
    // kNoOrigin for one added (or deleted) since; a replacement keeps it.
    size_t origin = kNoOrigin;
    // The definition as the source holds it, once `def` has been replaced.
    std::optional<Def> saved;
    const Def& as_saved() const { return saved ? *saved : def; }
};

std::string key_of(const Variable& d);
std::string key_of(const Event& d);
std::string key_of(const Report& d);
std::string key_of(const Alarm& d);
std::string key_of(const Spool& d);
std::string key_of(const ProcessProgram& d);
std::string key_of(const FormattedProgram& d);
std::string key_of(const Recipe& d);
std::string key_of(const Trace& d);
std::string numeric_key(int32_t id);
std::string text_key(std::string_view id);

template <class Def>
class Table {
  public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    const std::vector<Entry<Def>>& entries() const { return entries_; }
    size_t size() const { return entries_.size(); }
    size_t find(const std::string& key) const {
        auto it = by_key_.find(key);
        return it == by_key_.end() ? npos : it->second;
    }
    const Entry<Def>* get(const std::string& key) const {
        size_t i = find(key);
        return i == npos ? nullptr : &entries_[i];
    }
    // The first live definition in source order with this name (folded),
    // else the first deleted one.
    size_t find_name(std::string_view name) const;
    // Another live definition than `key` that carries `name`?
    bool name_taken(std::string_view name, const std::string& key) const;

    // Adds or replaces (same key, same place).
    void put(Def def, bool deleted);
    // The definitions the source holds, by origin.
    std::vector<const Def*> saved() const;
    // The live definitions, in order, are what the source now holds.
    void mark_saved();
    // Removes the definition with this key; false when there is none.
    bool remove(const std::string& key);
    // Holds `defs` as the source holds them; nothing is remembered as removed.
    void assign(std::vector<Def> defs);
    // Removes every definition, each one the source holds remembered as
    // removed, as remove() does, so that a save drops its block.
    void remove_all();

  private:
    void index(size_t i);
    void unindex_name(size_t i);

    std::vector<Entry<Def>> entries_;
    std::unordered_map<std::string, size_t> by_key_;
    std::unordered_map<std::string, std::vector<size_t>> by_name_;
    std::vector<std::pair<size_t, Def>> removed_;  // by origin, since the save
};

// What a link names, with the kinds searched in order.
enum class Link { Variable, StatusVariable, Event, Report };

class Store {
  public:
    Table<Variable> ec, sv, dv;
    Table<Event> ce;
    Table<Report> rp;
    Table<Alarm> al;
    Table<Spool> sp;
    Table<ProcessProgram> pp;
    Table<FormattedProgram> fp;
    Table<Recipe> rc;
    Table<Trace> tr;

    void load(Equipment eq);
    void clear() { load({}); }
    // Definitions held, every kind together.
    size_t size() const;
    // After a save: the live definitions are what the source holds.
    void mark_saved();
    Table<Variable>& variables(Kind k) { return k == Kind::EC ? ec : k == Kind::SV ? sv : dv; }
    const Table<Variable>& variables(Kind k) const {
        return k == Kind::EC ? ec : k == Kind::SV ? sv : dv;
    }

    // Name to ID: the named definition's ID; a name that names none but is a
    // decimal number stands for that ID; otherwise 0.
    int32_t resolve(Link link, std::string_view name) const;
    // ID to the name of the definition, if any.
    std::optional<std::string> name_of(Link link, int32_t id) const;
    // ID to the name to write: the definition's name, else the ID in decimal.
    std::string link_name(Link link, int32_t id) const;
};

// Each kind's table beside the list of an Equipment it is loaded from, in
// the order of Kind.
inline constexpr auto kKindTables = std::tuple{
    std::pair{&Store::ec, &Equipment::ec}, std::pair{&Store::sv, &Equipment::sv},
    std::pair{&Store::dv, &Equipment::dv}, std::pair{&Store::ce, &Equipment::ce},
    std::pair{&Store::rp, &Equipment::rp}, std::pair{&Store::al, &Equipment::al},
    std::pair{&Store::sp, &Equipment::sp}, std::pair{&Store::pp, &Equipment::pp},
    std::pair{&Store::fp, &Equipment::fp}, std::pair{&Store::rc, &Equipment::rc},
    std::pair{&Store::tr, &Equipment::tr},
};
static_assert(std::tuple_size_v<decltype(kKindTables)> == kKindCount);

// Calls f(table member, equipment list member) for every kind in order.
template <class F>
void for_each_kind(F f) {
    std::apply([&](const auto&... kind) { (f(kind.first, kind.second), ...); }, kKindTables);
}

}  // namespace zor::edit
