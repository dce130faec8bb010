#include "zoredit/fil_reader.h"

#include <iterator>
#include <set>
#include <sstream>

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
// by them.
class UniqueKeys {
  public:
    bool add_id(int kind, int64_t id) { return ids_[kind].insert(id).second; }
    bool add_text_id(int kind, const std::string& id) {
        return text_ids_[kind].insert(fold_name(id)).second;
    }
    bool add_name(int kind, const std::string& name) {
        return names_[kind].insert(fold_name(name)).second;
    }

  private:
    std::set<int64_t> ids_[kKindCount];
    std::set<std::string> text_ids_[kKindCount];
    std::set<std::string> names_[kKindCount];
};

struct KindPrefix {
    std::string_view prefix;
    Kind kind;
};
constexpr KindPrefix kPrefixes[] = {
    {"EC: ", Kind::EC}, {"SV: ", Kind::SV}, {"DV: ", Kind::DV}, {"CE: ", Kind::CE},
    {"RP: ", Kind::RP}, {"AL: ", Kind::AL}, {"SP: ", Kind::SP}, {"PP: ", Kind::PP},
    {"FP: ", Kind::FP}, {"RC: ", Kind::RC}, {"TR: ", Kind::TR},
};

void read_line(std::string_view line, Equipment& eq, UniqueKeys& keys) {
    if (line.empty()) throw Fault{1, "empty line"};
    const KindPrefix* kp = nullptr;
    for (const auto& p : kPrefixes)
        if (line.substr(0, 4) == p.prefix) kp = &p;
    if (!kp) throw Fault{1, "unknown kind " + quoted_tag(line.substr(0, 4))};
    FieldCursor f(line);
    int k = static_cast<int>(kp->kind);
    auto check_id = [&](int64_t id) {
        if (!keys.add_id(k, id)) f.fail("ID " + std::to_string(id) + " defined twice");
    };
    auto check_text_id = [&](const std::string& id) {
        if (!keys.add_text_id(k, id)) f.fail("ID \"" + id + "\" defined twice");
    };
    auto check_name = [&](const std::string& name) {
        if (!keys.add_name(k, name)) f.fail("name \"" + name + "\" defined twice");
    };
    switch (kp->kind) {
        case Kind::EC:
        case Kind::SV:
        case Kind::DV: {
            Variable v = read_variable(f);
            f.finish();
            check_id(v.id);
            check_name(v.name);
            (kp->kind == Kind::EC   ? eq.ec
             : kp->kind == Kind::SV ? eq.sv
                                    : eq.dv)
                .push_back(std::move(v));
            break;
        }
        case Kind::CE: {
            Event e = read_event(f);
            f.finish();
            check_id(e.id);
            check_name(e.name);
            eq.ce.push_back(std::move(e));
            break;
        }
        case Kind::RP: {
            Report r = read_report(f);
            f.finish();
            check_id(r.id);
            check_name(r.name);
            eq.rp.push_back(std::move(r));
            break;
        }
        case Kind::AL: {
            Alarm a = read_alarm(f);
            f.finish();
            check_id(a.id);
            check_name(a.name);
            eq.al.push_back(std::move(a));
            break;
        }
        case Kind::SP: {
            // Streams 6 and 262 both come out as byte 6, so a stream may
            // repeat; only the names must differ.
            Spool s = read_spool(f);
            f.finish();
            check_name(s.name);
            eq.sp.push_back(std::move(s));
            break;
        }
        case Kind::PP: {
            ProcessProgram p = read_pp(f);
            f.finish();
            check_text_id(p.ppid.text);
            check_name(p.name);
            eq.pp.push_back(std::move(p));
            break;
        }
        case Kind::FP: {
            FormattedProgram p = read_fpp(f);
            f.finish();
            check_text_id(p.ppid.text);
            check_name(p.name);
            eq.fp.push_back(std::move(p));
            break;
        }
        case Kind::RC: {
            Recipe r = read_recipe(f);
            f.finish();
            check_text_id(r.id);
            check_name(r.name);
            eq.rc.push_back(std::move(r));
            break;
        }
        case Kind::TR: {
            Trace t = read_trace(f);
            f.finish();
            check_text_id(t.trid.text);
            check_name(t.name);
            eq.tr.push_back(std::move(t));
            break;
        }
    }
}

size_t kind_size(const Equipment& eq, int k) {
    switch (static_cast<Kind>(k)) {
        case Kind::EC: return eq.ec.size();
        case Kind::SV: return eq.sv.size();
        case Kind::DV: return eq.dv.size();
        case Kind::CE: return eq.ce.size();
        case Kind::RP: return eq.rp.size();
        case Kind::AL: return eq.al.size();
        case Kind::SP: return eq.sp.size();
        case Kind::PP: return eq.pp.size();
        case Kind::FP: return eq.fp.size();
        case Kind::RC: return eq.rc.size();
        case Kind::TR: return eq.tr.size();
    }
    return 0;
}

}  // namespace

bool read_fil(std::string_view data, Equipment& out, std::string& error) {
    Equipment eq;
    UniqueKeys keys;
    int line_no = 0;
    size_t start = 0;
    try {
        while (start < data.size()) {
            ++line_no;
            size_t end = data.find('\n', start);
            size_t next = end == std::string_view::npos ? data.size() : end + 1;
            if (end == std::string_view::npos) end = data.size();
            std::string_view line = data.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            read_line(line, eq, keys);
            start = next;
        }
        for (int k = 0; k < kKindCount; ++k)
            if (kind_size(eq, k) > kMaxDefinitions)
                throw Fault{
                    1, "more than " + std::to_string(kMaxDefinitions) + " definitions of one kind"};
    } catch (const Fault& fault) {
        error = "line " + std::to_string(line_no) + ", byte " + std::to_string(fault.column) +
                ": " + fault.message;
        return false;
    }
    out = std::move(eq);
    return true;
}

bool read_fil_file(const std::string& path, Equipment& out, std::string& error) {
    std::string content;
    return read_whole_file(path, content, error) && read_fil(content, out, error);
}

}  // namespace zor::edit
