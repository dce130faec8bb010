#include "zoredit/fil_reader.h"

#include <iterator>
#include <set>
#include <sstream>

#include "platform/platform.h"
#include "textscan/sjis.h"
#include "zoredit/text_util.h"
#include "zoredit/values.h"

namespace zor::edit {
namespace {

struct Fault {
    size_t column;
    std::string message;
};

std::string quoted_tag(std::string_view tag) {
    std::string shown = "\"";
    for (char c : tag) shown += (c >= 0x20 && c < 0x7f) ? c : '?';
    return shown + "\"";
}

// Walks one record line field by field. Every read checks its bounds; a
// fault throws, and read_fil turns it into the error text.
class FieldCursor {
  public:
    explicit FieldCursor(std::string_view line) : line_(line), pos_(4) {}

    bool at_end() const { return pos_ >= line_.size(); }
    bool next_is(std::string_view tag) const { return line_.substr(pos_, 4) == tag; }

    int32_t value(std::string_view tag) {
        expect(tag);
        return static_cast<int32_t>(digits(tag));
    }
    int32_t byte(std::string_view tag) {
        int32_t v = value(tag);
        if (v < 0 || v > 255)
            fail("field " + quoted_tag(tag) + " holds " + std::to_string(v) + ", not a byte");
        return v;
    }
    std::string text(std::string_view tag) {
        expect(tag);
        uint32_t length = digits(tag);
        if (length > line_.size() - pos_)
            fail("text of field " + quoted_tag(tag) + " (" + std::to_string(length) +
                 " bytes) runs past the end of the line");
        std::string t(line_.substr(pos_, length));
        for (char c : t)
            if (c == '\r' || c == '\0')
                fail("text of field " + quoted_tag(tag) + " holds a CR or NUL byte");
        pos_ += length;
        return t;
    }
    std::optional<std::string> optional_text(std::string_view tag) {
        if (!next_is(tag)) return std::nullopt;
        return text(tag);
    }
    // A count that announces more entries than the line can hold is refused
    // before anything is built from it.
    int32_t count(std::string_view tag, size_t min_entry_bytes) {
        int32_t n = value(tag);
        if (n < 0) fail("count " + quoted_tag(tag) + " is negative");
        if (static_cast<uint64_t>(n) * min_entry_bytes > line_.size() - pos_)
            fail("count " + quoted_tag(tag) + " = " + std::to_string(n) +
                 " disagrees with the fields that follow");
        return n;
    }
    void finish() {
        if (!at_end()) fail("unexpected field " + quoted_tag(line_.substr(pos_, 4)));
    }
    [[noreturn]] void fail(std::string message) const { throw Fault{pos_ + 1, std::move(message)}; }

  private:
    void expect(std::string_view tag) {
        if (at_end()) fail("field " + quoted_tag(tag) + " missing");
        if (line_.size() - pos_ < 12)
            fail("field " + quoted_tag(line_.substr(pos_, 4)) + " cut short");
        if (!next_is(tag))
            fail("unexpected field " + quoted_tag(line_.substr(pos_, 4)) + " where " +
                 quoted_tag(tag) + " belongs");
        pos_ += 4;
    }
    uint32_t digits(std::string_view tag) {
        uint32_t v = 0;
        for (int i = 0; i < 8; ++i) {
            char c = line_[pos_ + static_cast<size_t>(i)];
            int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
            if (d < 0) fail("bad hex digits in field " + quoted_tag(tag));
            v = v * 16 + static_cast<uint32_t>(d);
        }
        pos_ += 8;
        return v;
    }

    std::string_view line_;
    size_t pos_;
};

// Smallest byte count of one repeated entry, to bound counts early.
constexpr size_t kField = 12;

TextItem text_item(FieldCursor& f, std::string_view text_tag, bool with_msize = true) {
    TextItem item;
    item.text = f.text(text_tag);
    item.form = f.byte("FORM");
    item.size = f.value("SIZE");
    if (with_msize) item.msize = f.value("MSIZ");
    if (!find_format(item.form) && item.form != kFormatInvalid)
        f.fail("format code " + std::to_string(item.form) + " is not a SECS-II item format");
    return item;
}

Variable read_variable(FieldCursor& f) {
    Variable v;
    v.name = f.text("NAME");
    v.id = f.value("ID  ");
    v.form = f.byte("FORM");
    if (!find_format(v.form))
        f.fail("format code " + std::to_string(v.form) + " is not a SECS-II item format");
    v.size = f.value("SIZE");
    v.msize = f.value("MSIZ");
    v.units = f.optional_text("UNIT");
    v.min = f.optional_text("MIN ");
    v.max = f.optional_text("MAX ");
    v.nominal = f.optional_text("NOMI");
    while (f.next_is("LMID")) {
        Limit l;
        l.id = f.text("LMID");
        l.low = f.text("LOWE");
        l.upper = f.text("UPPE");
        v.limits.push_back(std::move(l));
    }
    while (f.next_is("EVNT")) v.events.push_back(f.text("EVNT"));
    while (f.next_is("VID ")) v.vids.push_back(f.text("VID "));
    if (!v.vids.empty()) {
        if (v.form != kFormatList) f.fail("\"VID \" fields on a variable that is not a list");
        if (!v.nominal || decimal_value(*v.nominal) != static_cast<int32_t>(v.vids.size()))
            f.fail("the nominal count disagrees with the " + std::to_string(v.vids.size()) +
                   " \"VID \" fields");
    }
    return v;
}

Event read_event(FieldCursor& f) {
    Event e;
    e.name = f.text("NAME");
    e.id = f.value("ID  ");
    e.enabled = f.optional_text("ENAB");
    while (f.next_is("RPNA")) e.reports.push_back(f.text("RPNA"));
    return e;
}

Report read_report(FieldCursor& f) {
    Report r;
    r.name = f.text("NAME");
    r.id = f.value("ID  ");
    while (f.next_is("VNAM")) r.variables.push_back(f.text("VNAM"));
    return r;
}

Alarm read_alarm(FieldCursor& f) {
    Alarm a;
    a.name = f.text("NAME");
    a.id = f.value("ID  ");
    a.alcd = f.text("ALCD");
    a.altx = f.text("ALTX");
    a.ce_on = f.optional_text("CEON");
    a.ce_off = f.optional_text("CEOF");
    a.enabled = f.optional_text("ENAB");
    return a;
}

Spool read_spool(FieldCursor& f) {
    Spool s;
    s.name = f.text("NAME");
    s.stream = f.byte("STRE");
    int32_t n = f.count("COUN", kField);
    for (int32_t i = 0; i < n; ++i) s.functions.push_back(f.byte("FUNC"));
    return s;
}

ProcessProgram read_pp(FieldCursor& f) {
    ProcessProgram p;
    p.name = f.text("NAME");
    p.ppid = text_item(f, "ID  ");
    p.body = text_item(f, "PPBO");
    return p;
}

FormattedProgram read_fpp(FieldCursor& f) {
    FormattedProgram p;
    p.name = f.text("NAME");
    p.ppid = text_item(f, "ID  ");
    p.mdln = f.text("MDLN");
    p.softrev = f.text("SOFT");
    int32_t n = f.count("COUN", 5 * kField);
    for (int32_t i = 0; i < n; ++i) {
        CommandCode c;
        c.code = text_item(f, "CCOD");
        int32_t m = f.count("PCOU", 4 * kField);
        for (int32_t j = 0; j < m; ++j) c.params.push_back(text_item(f, "PPAR"));
        p.codes.push_back(std::move(c));
    }
    return p;
}

Recipe read_recipe(FieldCursor& f) {
    Recipe r;
    r.name = f.text("NAME");
    r.id = f.text("ID  ");
    r.body = f.optional_text("PPBO");
    int32_t n = f.count("COUN", kField);
    for (int32_t i = 0; i < n; ++i) {
        RecipeParam p;
        p.name = f.text("PNAM");
        if (f.next_is("PVAL")) p.value = text_item(f, "PVAL", false);

        r.params.push_back(std::move(p));
    }
    return r;
}

Trace read_trace(FieldCursor& f) {
    Trace t;
    t.name = f.text("NAME");
    t.trid = text_item(f, "ID  ");
    t.dsper = f.text("DSPE");
    t.totsmp = f.value("TOTS");
    t.repgsz = f.value("REPG");
    int32_t n = f.count("COUN", kField);
    for (int32_t i = 0; i < n; ++i) t.svs.push_back(f.text("SVNA"));
    return t;
}

// Duplicates the compiler refuses are refused here too: the store is keyed
// by them. Numeric IDs are kept as decimal text, text IDs folded.
class UniqueKeys {
  public:
    bool add_id(size_t kind, const std::string& key) { return ids_[kind].insert(key).second; }
    bool add_name(size_t kind, const std::string& name) {
        return names_[kind].insert(fold_name(name)).second;
    }

  private:
    std::set<std::string> ids_[kKindCount];
    std::set<std::string> names_[kKindCount];
};

// A definition's ID as the duplicate check compares it and a fault names it.
struct LineId {
    std::string key, shown;
};
template <class Def>
std::optional<LineId> number_id(const Def& d) {
    return LineId{std::to_string(d.id), "ID " + std::to_string(d.id)};
}
std::optional<LineId> text_id(const std::string& id) {
    return LineId{fold_name(id), "ID \"" + id + "\""};
}
template <class Def>
std::optional<LineId> ppid_id(const Def& d) {
    return text_id(d.ppid.text);
}
std::optional<LineId> recipe_id(const Recipe& d) { return text_id(d.id); }
std::optional<LineId> trace_id(const Trace& d) { return text_id(d.trid.text); }
// Streams 6 and 262 both come out as byte 6, so a stream may repeat; only
// the names must differ.
std::optional<LineId> no_id(const Spool&) { return std::nullopt; }

// One kind of record line: read, finish, check ID and name, store.
template <class Def, std::vector<Def> Equipment::*List, Def (*Read)(FieldCursor&),
          std::optional<LineId> (*Id)(const Def&)>
void read_kind(FieldCursor& f, size_t kind, Equipment& eq, UniqueKeys& keys) {
    Def d = Read(f);
    f.finish();
    if (auto id = Id(d); id && !keys.add_id(kind, id->key)) f.fail(id->shown + " defined twice");
    if (!keys.add_name(kind, d.name)) f.fail("name \"" + d.name + "\" defined twice");
    (eq.*List).push_back(std::move(d));
}

template <auto List>
size_t kind_size(const Equipment& eq) {
    return (eq.*List).size();
}

// What differs between the kinds of record line, in the order of Kind.
struct LineKind {
    std::string_view prefix;
    void (*read)(FieldCursor&, size_t, Equipment&, UniqueKeys&);
    size_t (*size)(const Equipment&);
};

template <class Def, std::vector<Def> Equipment::*List, Def (*Read)(FieldCursor&),
          std::optional<LineId> (*Id)(const Def&)>
constexpr LineKind line_kind(std::string_view prefix) {
    return {prefix, read_kind<Def, List, Read, Id>, kind_size<List>};
}

constexpr LineKind kLineKinds[] = {
    line_kind<Variable, &Equipment::ec, read_variable, number_id<Variable>>("EC: "),
    line_kind<Variable, &Equipment::sv, read_variable, number_id<Variable>>("SV: "),
    line_kind<Variable, &Equipment::dv, read_variable, number_id<Variable>>("DV: "),
    line_kind<Event, &Equipment::ce, read_event, number_id<Event>>("CE: "),
    line_kind<Report, &Equipment::rp, read_report, number_id<Report>>("RP: "),
    line_kind<Alarm, &Equipment::al, read_alarm, number_id<Alarm>>("AL: "),
    line_kind<Spool, &Equipment::sp, read_spool, no_id>("SP: "),
    line_kind<ProcessProgram, &Equipment::pp, read_pp, ppid_id<ProcessProgram>>("PP: "),
    line_kind<FormattedProgram, &Equipment::fp, read_fpp, ppid_id<FormattedProgram>>("FP: "),
    line_kind<Recipe, &Equipment::rc, read_recipe, recipe_id>("RC: "),
    line_kind<Trace, &Equipment::tr, read_trace, trace_id>("TR: "),
};
static_assert(std::size(kLineKinds) == kKindCount);

void read_line(std::string_view line, Equipment& eq, UniqueKeys& keys) {
    if (line.empty()) throw Fault{1, "empty line"};
    for (size_t k = 0; k < std::size(kLineKinds); ++k) {
        if (line.substr(0, 4) != kLineKinds[k].prefix) continue;
        FieldCursor f(line);
        kLineKinds[k].read(f, k, eq, keys);
        return;
    }
    throw Fault{1, "unknown kind " + quoted_tag(line.substr(0, 4))};
}

// The record a faulty line holds, as the user knows it: kind and name (cut to
// a few characters), or nothing when the line does not begin like a record.
std::string record_label(std::string_view line) {
    bool known = false;
    for (const LineKind& kind : kLineKinds) known = known || line.substr(0, 4) == kind.prefix;
    if (!known) return "";
    std::string label(line.substr(0, 2));
    std::string name;
    try {
        FieldCursor f(line);
        name = f.text("NAME");
    } catch (const Fault&) {
        return label;
    }
    constexpr size_t kShown = 40;
    size_t cut = 0;
    while (cut < name.size() && cut + textscan::char_width(name, cut) <= kShown)
        cut += textscan::char_width(name, cut);
    std::string shown;
    for (size_t i = 0; i < cut; ++i)
        shown += static_cast<unsigned char>(name[i]) < 0x20 ? '?' : name[i];
    return label + " \"" + shown + (cut < name.size() ? "...\"" : "\"");
}

}  // namespace

bool read_fil(std::string_view data, Equipment& out, std::string& error) {
    Equipment eq;
    UniqueKeys keys;
    int line_no = 0;
    size_t start = 0;
    std::string_view line;
    try {
        while (start < data.size()) {
            ++line_no;
            size_t end = data.find('\n', start);
            size_t next = end == std::string_view::npos ? data.size() : end + 1;
            if (end == std::string_view::npos) end = data.size();
            line = data.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            read_line(line, eq, keys);
            start = next;
        }
        line = {};  // the count fault below belongs to no one record
        for (const LineKind& kind : kLineKinds)
            if (kind.size(eq) > kMaxDefinitions)
                throw Fault{
                    1, "more than " + std::to_string(kMaxDefinitions) + " definitions of one kind"};
    } catch (const Fault& fault) {
        const std::string record = record_label(line);
        error = "damaged object file" + (record.empty() ? "" : ", record " + record) + " at line " +
                std::to_string(line_no) + ", byte " + std::to_string(fault.column) + ": " +
                fault.message;
        return false;
    }
    out = std::move(eq);
    return true;
}

bool read_fil_file(const std::string& path, Equipment& out, std::string& error) {
    std::string content;
    return platform::read_whole_file(path, content, error) && read_fil(content, out, error);
}

}  // namespace zor::edit
