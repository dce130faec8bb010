#include "inspect/definition_fields.h"

#include <iterator>
#include <type_traits>

#include "textscan/item_formats.h"
#include "textscan/numbers.h"

namespace zor::inspect {
namespace {

using edit::Link;

Field field(std::string_view key, FieldType type) {
    Field f;
    f.key = key;
    f.type = type;
    return f;
}

// The keys of an item's text and its format and sizes. Keys are literals:
// the export builds millions of fields.
struct ItemKeys {
    std::string_view text, format, format_code, size, max_size;
};
constexpr ItemKeys kVariableKeys{"", "format", "format_code", "size", "max_size"};
constexpr ItemKeys kIdKeys{"id", "id_format", "id_format_code", "id_size", "id_max_size"};
constexpr ItemKeys kBodyKeys{"body", "body_format", "body_format_code", "body_size",
                             "body_max_size"};
constexpr ItemKeys kCodeKeys{"code", "code_format", "code_format_code", "code_size",
                             "code_max_size"};
constexpr ItemKeys kValueKeys{"value", "value_format", "value_format_code", "value_size",
                              "value_max_size"};

// Appends fields in the order they are given.
class Fields {
  public:
    explicit Fields(const Snapshot& snapshot) : snapshot_(snapshot) { fields_.reserve(16); }

    Fields& text(std::string_view key, std::optional<std::string> value) {
        Field f = field(key, FieldType::Text);
        f.text = std::move(value);
        return add(std::move(f));
    }
    Fields& number(std::string_view key, std::optional<int64_t> value) {
        Field f = field(key, FieldType::Number);
        f.number = value;
        return add(std::move(f));
    }
    Fields& numbers(std::string_view key, std::vector<int64_t> values) {
        Field f = field(key, FieldType::Numbers);
        f.numbers = std::move(values);
        return add(std::move(f));
    }
    Fields& links(std::string_view key, Link link, const std::vector<std::string>& names) {
        Field f = field(key, FieldType::Links);
        for (const auto& n : names) f.links.push_back(resolve(link, n));
        return add(std::move(f));
    }
    Fields& link(std::string_view key, Link link, const std::optional<std::string>& name) {
        Field f = field(key, FieldType::Link);
        if (name) f.links.push_back(resolve(link, *name));
        return add(std::move(f));
    }
    Fields& entries(std::string_view key, std::vector<GroupEntry> entries) {
        Field f = field(key, FieldType::Entries);
        f.entries = std::move(entries);
        return add(std::move(f));
    }
    // Format, its code, size and maximum size of an item.
    Fields& format(const ItemKeys& keys, int32_t code, int32_t size,
                   std::optional<int32_t> max_size) {
        text(keys.format, format_name(code));
        number(keys.format_code, code);
        number(keys.size, size);
        if (max_size) number(keys.max_size, *max_size);
        return *this;
    }
    // A text ID with the definition's name, then the ID's format and sizes.
    Fields& text_id(const edit::TextItem& id, const std::string& name) {
        text("id", id.text).text("name", name);
        return format(kIdKeys, id.form, id.size, id.msize);
    }
    // A text with its format and sizes.
    Fields& item(const ItemKeys& keys, const edit::TextItem& item, bool with_max_size = true) {
        text(keys.text, item.text);
        return format(keys, item.form, item.size,
                      with_max_size ? std::optional<int32_t>(item.msize) : std::nullopt);
    }

    std::vector<Field> take() { return std::move(fields_); }

  private:
    Fields& add(Field f) {
        fields_.push_back(std::move(f));
        return *this;
    }
    LinkTarget resolve(Link link, const std::string& name) const {
        auto target = snapshot_.resolve(link, name);
        return {name, target ? std::optional<int32_t>(target->id) : std::nullopt};
    }

    const Snapshot& snapshot_;
    std::vector<Field> fields_;
};

// An item as the source writes it: "A[1..32] TRACE_1".
std::string item_summary(const edit::TextItem& item, bool with_max_size = true) {
    return format_text(item.form, item.size, with_max_size ? item.msize : item.size) + " " +
           summary_text(item.text);
}

std::vector<Field> variable_fields(const edit::Variable& v, const Snapshot& s) {
    std::vector<GroupEntry> limits;
    for (const auto& l : v.limits)
        limits.push_back(
            {Fields(s).text("id", l.id).text("lower", l.low).text("upper", l.upper).take(),
             summary_text(l.id) + ": " + summary_text(l.low) + " .. " + summary_text(l.upper)});
    Fields f(s);
    f.number("id", v.id).text("name", v.name).format(kVariableKeys, v.form, v.size, v.msize);
    f.text("units", v.units).text("min", v.min).text("max", v.max).text("nominal", v.nominal);
    f.entries("limits", std::move(limits)).links("events", Link::Event, v.events);
    return f.links("elements", Link::Variable, v.vids).take();
}

std::vector<Field> event_fields(const edit::Event& e, const Snapshot& s) {
    return Fields(s)
        .number("id", e.id)
        .text("name", e.name)
        .text("enabled", e.enabled)
        .links("reports", Link::Report, e.reports)
        .take();
}

std::vector<Field> report_fields(const edit::Report& r, const Snapshot& s) {
    return Fields(s)
        .number("id", r.id)
        .text("name", r.name)
        .links("variables", Link::Variable, r.variables)
        .take();
}

std::vector<Field> alarm_fields(const edit::Alarm& a, const Snapshot& s) {
    int code = textscan::integer_value(a.alcd) & 0xff;
    return Fields(s)
        .number("id", a.id)
        .text("name", a.name)
        .text("code", a.alcd)
        .text("category", alarm_category(code))
        .text("text", a.altx)
        .link("set_event", Link::Event, a.ce_on)
        .link("clear_event", Link::Event, a.ce_off)
        .text("enabled", a.enabled)
        .take();
}

std::vector<Field> spool_fields(const edit::Spool& sp, const Snapshot& s) {
    return Fields(s)
        .number("stream", sp.stream)
        .text("name", sp.name)
        .numbers("functions", {sp.functions.begin(), sp.functions.end()})
        .take();
}

std::vector<Field> pp_fields(const edit::ProcessProgram& p, const Snapshot& s) {
    return Fields(s).text_id(p.ppid, p.name).item(kBodyKeys, p.body).take();
}

std::vector<Field> fpp_fields(const edit::FormattedProgram& p, const Snapshot& s) {
    std::vector<GroupEntry> codes;
    for (const auto& c : p.codes) {
        std::vector<GroupEntry> params;
        std::string summary = item_summary(c.code);
        for (size_t i = 0; i < c.params.size(); ++i) {
            params.push_back(
                {Fields(s).item(kValueKeys, c.params[i]).take(), item_summary(c.params[i])});
            summary += (i ? ", " : ": ") + params.back().summary;
        }
        codes.push_back(
            {Fields(s).item(kCodeKeys, c.code).entries("parameters", std::move(params)).take(),
             summary});
    }
    return Fields(s)
        .text_id(p.ppid, p.name)
        .text("model", p.mdln)
        .text("software_revision", p.softrev)
        .entries("command_codes", std::move(codes))
        .take();
}

std::vector<Field> recipe_fields(const edit::Recipe& r, const Snapshot& s) {
    std::vector<GroupEntry> params;
    for (const auto& p : r.params) {
        Fields e(s);
        e.text("name", p.name);
        std::string summary = summary_text(p.name.value_or(""));
        if (p.value) {
            e.item(kValueKeys, *p.value, false);
            summary += " = " + item_summary(*p.value, false);
        } else {
            e.text("value", std::nullopt).text("value_format", std::nullopt);
            e.number("value_format_code", std::nullopt).number("value_size", std::nullopt);
        }
        params.push_back({e.take(), summary});
    }
    return Fields(s)
        .text("id", r.id)
        .text("name", r.name)
        .text("body", r.body)
        .entries("parameters", std::move(params))
        .take();
}

std::vector<Field> trace_fields(const edit::Trace& t, const Snapshot& s) {
    Fields f(s);
    f.text_id(t.trid, t.name)
        .text("period", t.dsper)
        .number("total_samples", t.totsmp)
        .number("group_size", t.repgsz);
    return f.links("variables", Link::StatusVariable, t.svs).take();
}

template <auto Table, auto Build>
Definition build(const Snapshot& s, Kind kind, size_t index) {
    const auto& d = (s.store().*Table).entries()[index].def;
    return {kind, shown_id(d), d.name, Build(d, s)};
}

template <auto Table>
size_t table_size(const Snapshot& s) {
    return (s.*Table).size();
}

template <auto Table, auto Build>
std::vector<Field> blank_fields() {
    static const Snapshot empty;
    using Def = std::remove_cvref_t<decltype((empty.store().*Table).entries()[0].def)>;
    return Build(Def{}, empty);
}

// What differs between the kinds, in the order of Kind.
struct KindFields {
    Definition (*build)(const Snapshot&, Kind, size_t);
    std::vector<Field> (*blank)();
};

template <auto Table, auto Build>
constexpr KindFields kind_fields() {
    return {build<Table, Build>, blank_fields<Table, Build>};
}

constexpr KindFields kKinds[] = {
    kind_fields<&edit::Store::ec, variable_fields>(),
    kind_fields<&edit::Store::sv, variable_fields>(),
    kind_fields<&edit::Store::dv, variable_fields>(),
    kind_fields<&edit::Store::ce, event_fields>(),
    kind_fields<&edit::Store::rp, report_fields>(),
    kind_fields<&edit::Store::al, alarm_fields>(),
    kind_fields<&edit::Store::sp, spool_fields>(),
    kind_fields<&edit::Store::pp, pp_fields>(),
    kind_fields<&edit::Store::fp, fpp_fields>(),
    kind_fields<&edit::Store::rc, recipe_fields>(),
    kind_fields<&edit::Store::tr, trace_fields>(),
};
static_assert(std::size(kKinds) == std::size(kAllKinds));

}  // namespace

const Field* Definition::find(std::string_view key) const {
    for (const auto& f : fields)
        if (f.key == key) return &f;
    return nullptr;
}

DefinitionFields::DefinitionFields(const Snapshot& snapshot) : snapshot_(snapshot) {}

Definition DefinitionFields::get(Kind kind, size_t index) const {
    return kKinds[static_cast<size_t>(kind)].build(snapshot_, kind, index);
}

std::vector<Field> DefinitionFields::blank(Kind kind) {
    return kKinds[static_cast<size_t>(kind)].blank();
}

std::string kind_key(Kind kind) {
    std::string key = kind_name(kind);
    for (char& c : key) c = static_cast<char>(c - 'A' + 'a');
    return key;
}

std::string summary_text(const std::string& text) {
    bool plain = !text.empty() && text.front() != ' ' && text.back() != ' ' &&
                 text.find_first_of(",;:=\"\r\n") == std::string::npos &&
                 text.find("..") == std::string::npos;
    if (plain) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string DefinitionFields::link_text(const LinkTarget& link) {
    return link.name + " (" + (link.id ? std::to_string(*link.id) : "not defined") + ")";
}

std::string DefinitionFields::value_text(const Field& field, std::string_view separator) {
    std::string out;
    auto join = [&](const std::string& item) {
        if (!out.empty()) out += separator;
        out += item;
    };
    switch (field.type) {
        case FieldType::Text: return field.text.value_or("");
        case FieldType::Number: return field.number ? std::to_string(*field.number) : "";
        case FieldType::Link:
        case FieldType::Links:
            for (const auto& l : field.links) join(link_text(l));
            return out;
        case FieldType::Numbers:
            for (auto n : field.numbers) join(std::to_string(n));
            return out;
        case FieldType::Entries:
            for (const auto& e : field.entries) join(e.summary);
            return out;
    }
    return out;
}

const char* alarm_category(int code) {
    static const char* const names[] = {"not used",
                                        "personal safety",
                                        "equipment safety",
                                        "parameter control warning",
                                        "parameter control error",
                                        "irrecoverable error",
                                        "equipment status warning",
                                        "attention flags",
                                        "data integrity"};
    int category = code & 0x7f;
    return category < static_cast<int>(std::size(names)) ? names[category] : "other category";
}

std::optional<std::string> format_name(int32_t code) {
    const textscan::ItemFormat* f = textscan::find_format(code);
    if (!f) return std::nullopt;
    return std::string(f->source_name);
}

std::string format_text(int32_t code, int32_t size, int32_t max_size) {
    std::string name = format_name(code).value_or("?");
    return max_size == 0 ? name : name + "[" + size_text(size, max_size) + "]";
}

std::string size_text(int32_t size, int32_t max_size) {
    return max_size > size ? std::to_string(size) + ".." + std::to_string(max_size)
                           : std::to_string(size);
}

}  // namespace zor::inspect
