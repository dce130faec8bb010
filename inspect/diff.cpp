#include "inspect/diff.h"

#include <algorithm>
#include <map>

#include "inspect/json_writer.h"
#include "inspect/utf8_text.h"
#include "textscan/fold_case.h"

namespace zor::inspect {
namespace {

constexpr const char* kArrowSjis = "\x81\xa8";  // →

bool numeric_id(Kind kind) {
    return kind != Kind::PP && kind != Kind::FP && kind != Kind::RC && kind != Kind::TR;
}

// Where a definition sorts and what it is matched by. Streams may repeat
// (6 and 262 are one byte), so the nth definition of a stream meets the nth.
struct Key {
    int64_t number = 0;
    std::string text;
    size_t repeat = 0;
    auto operator<=>(const Key&) const = default;
};

std::map<Key, Definition> keyed(const DefinitionFields& defs, Kind kind) {
    std::map<Key, Definition> out;
    std::map<int64_t, size_t> seen;
    for (size_t i = 0, n = defs.count(kind); i < n; ++i) {
        Definition d = defs.get(kind, i);
        Key key;
        if (numeric_id(kind)) {
            key.number = d.fields.front().number.value_or(0);
            key.repeat = seen[key.number]++;
        } else {
            key.text = textscan::fold_case(d.id);
        }
        out.emplace(std::move(key), std::move(d));  // a repeated text ID keeps its first
    }
    return out;
}

// "max_size" → "max size": a field as the diff names it.
std::string label(std::string_view key) {
    std::string out(key);
    std::replace(out.begin(), out.end(), '_', ' ');
    return out;
}

// "reports" → "report": one link of the list.
std::string singular(std::string_view key) {
    std::string out = label(key);
    if (out.ends_with('s')) out.pop_back();
    return out;
}

std::optional<std::string> shown(const Field& f) {
    if (f.type == FieldType::Text && !f.text) return std::nullopt;
    if (f.type == FieldType::Number && !f.number) return std::nullopt;
    if (f.type == FieldType::Link && f.links.empty()) return std::nullopt;
    return DefinitionFields::value_text(f, "; ");
}

// What a link links: the definition it resolves to, so renaming the target
// changes no link; the name when it names nothing.
std::string target(const LinkTarget& l) {
    return l.id ? "#" + std::to_string(*l.id) : "=" + textscan::fold_case(l.name);
}

std::vector<std::string> targets(const Field& f) {
    std::vector<std::string> out;
    for (const auto& l : f.links) out.push_back(target(l));
    return out;
}

// Each link of `from` that `other` does not hold (as often), in order.
std::vector<const LinkTarget*> missing(const Field& from, const Field& other) {
    std::map<std::string, int> left;
    for (const auto& l : other.links) ++left[target(l)];
    std::vector<const LinkTarget*> out;
    for (const auto& l : from.links)
        if (left[target(l)]-- <= 0) out.push_back(&l);
    return out;
}

Change change_of(const Definition& d, ChangeType type) {
    Change c;
    c.kind = d.kind;
    c.id = d.id;
    c.name = d.name;
    c.type = type;
    return c;
}

void compare(const Definition& old, const Definition& now, std::vector<Change>& out) {
    auto add = [&](ChangeType type, std::string field, std::optional<std::string> o,
                   std::optional<std::string> n) {
        Change c = change_of(now, type);
        c.field = std::move(field);
        c.old = std::move(o);
        c.now = std::move(n);
        out.push_back(std::move(c));
    };
    if (old.name != now.name) add(ChangeType::Renamed, "name", old.name, now.name);
    for (size_t i = 0; i < now.fields.size() && i < old.fields.size(); ++i) {
        const Field& a = old.fields[i];
        const Field& b = now.fields[i];
        // Definitions met by their key; a text ID's spelling is still a change
        // the host sees.
        if (b.key == "name" || b.key == "stream" || (b.key == "id" && numeric_id(now.kind)))
            continue;
        if (b.type == FieldType::Links) {
            auto unlinked = missing(a, b);
            auto linked = missing(b, a);
            for (const LinkTarget* l : unlinked)
                add(ChangeType::Unlinked, singular(b.key), DefinitionFields::link_text(*l),
                    std::nullopt);
            for (const LinkTarget* l : linked)
                add(ChangeType::Linked, singular(b.key), std::nullopt,
                    DefinitionFields::link_text(*l));
            if (unlinked.empty() && linked.empty() && targets(a) != targets(b))
                add(ChangeType::Changed, label(b.key) + " order", shown(a), shown(b));
            continue;
        }
        bool same = b.type == FieldType::Link ? targets(a) == targets(b) : shown(a) == shown(b);
        if (!same) add(ChangeType::Changed, label(b.key), shown(a), shown(b));
    }
}

const char* type_word(ChangeType t) {
    static const char* const words[] = {"added",   "removed", "renamed",
                                        "changed", "linked",  "unlinked"};
    return words[static_cast<int>(t)];
}

}  // namespace

std::vector<Change> diff(const DefinitionFields& old, const DefinitionFields& now) {
    std::vector<Change> out;
    for (Kind kind : kAllKinds) {
        auto a = keyed(old, kind);
        auto b = keyed(now, kind);
        auto i = a.begin();
        auto j = b.begin();
        while (i != a.end() || j != b.end()) {
            if (j == b.end() || (i != a.end() && i->first < j->first)) {
                out.push_back(change_of(i->second, ChangeType::Removed));
                ++i;
            } else if (i == a.end() || j->first < i->first) {
                out.push_back(change_of(j->second, ChangeType::Added));
                ++j;
            } else {
                compare(i->second, j->second, out);
                ++i;
                ++j;
            }
        }
    }
    return out;
}

std::string change_line(const Change& c) {
    std::string line = std::string(kind_name(c.kind)) + " " + c.id + " " + c.name + ": ";
    auto value = [](const std::optional<std::string>& v) { return v ? *v : "(none)"; };
    switch (c.type) {
        case ChangeType::Added:
        case ChangeType::Removed: return line + type_word(c.type);
        case ChangeType::Renamed:
            return line + "renamed " + value(c.old) + " " + kArrowSjis + " " + value(c.now);
        case ChangeType::Changed:
            return line + c.field + " " + value(c.old) + " " + kArrowSjis + " " + value(c.now);
        case ChangeType::Linked: return line + c.field + " " + value(c.now) + " linked";
        case ChangeType::Unlinked: return line + c.field + " " + value(c.old) + " unlinked";
    }
    return line;
}

void diff_json(const std::vector<Change>& changes, const std::string& old_file,
               const std::string& new_file, std::ostream& out) {
    Utf8Converter utf8;
    auto text = [&](const std::optional<std::string>& v) {
        return v ? std::optional<std::string>(utf8(*v)) : std::nullopt;
    };
    JsonWriter json(out);
    json.begin_object();
    json.key("schema");
    json.number(1);
    json.key("old");
    json.string(utf8(old_file));
    json.key("new");
    json.string(utf8(new_file));
    json.key("changes");
    json.begin_array();
    for (const auto& c : changes) {
        json.begin_object();
        json.key("kind");
        json.string(kind_name(c.kind));
        json.key("id");
        json.string(utf8(c.id));
        json.key("name");
        json.string(utf8(c.name));
        json.key("change");
        json.string(type_word(c.type));
        json.key("field");
        json.optional_string(c.field.empty() ? std::nullopt : std::optional<std::string>(c.field));
        json.key("old");
        json.optional_string(text(c.old));
        json.key("new");
        json.optional_string(text(c.now));
        json.end_object();
    }
    json.end_array();
    json.end_object();
    json.finish();
}

}  // namespace zor::inspect
