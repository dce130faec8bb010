#include "inspect/check.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "inspect/id_file_names.h"
#include "inspect/profile.h"
#include "inspect/source_index.h"
#include "inspect/value_reading.h"
#include "textscan/item_formats.h"

namespace zor::inspect {
namespace {

using edit::Alarm;
using edit::Event;
using edit::Link;
using edit::Report;
using edit::Spool;
using edit::Trace;
using edit::Variable;

const std::vector<Rule> kRules = {
    {"E101", Severity::Error, "a link names no live definition of the right kind"},
    {"E102", Severity::Error, "one VID is used by more than one of EC, SV and DVVAL"},
    {"E103", Severity::Error, "stream 1 is set for spooling"},
    {"E104", Severity::Error, "a reply (even function above 0) is set for spooling"},
    {"E105", Severity::Error, "a trace's sample period is not hhmmss or hhmmsscc, or is zero"},
    {"E106", Severity::Error, "a trace's total sample count or group size is below 1"},
    {"E107", Severity::Error, "a limit's lower boundary is above its upper boundary"},
    {"E108", Severity::Error, "one limit ID twice in one variable"},
    {"E109", Severity::Error, "a minimum above the maximum"},
    {"E110", Severity::Error,
     "a value (min, max, nominal, limit bound or ID, alarm code) that is not a number of its "
     "format or does not fit it"},
    {"E111", Severity::Error, "function 0 (the abort of a transaction) is set for spooling"},
    {"W201", Severity::Warning, "a report no collection event links (never sent)"},
    {"W202", Severity::Warning, "a report without variables"},
    {"W203", Severity::Warning, "an alarm without a set event"},
    {"W204", Severity::Warning, "an alarm without a clear event"},
    {"W205", Severity::Warning, "an alarm code whose category (low 7 bits) is 0"},
    {"W206", Severity::Warning, "an alarm code with bit 8 (the run-time set flag) set"},
    {"W207", Severity::Warning, "a trace samples an EC or DVVAL"},
    {"W208", Severity::Warning, "a nominal outside its min..max"},
    {"W209", Severity::Warning, "an A or J nominal longer than its size"},
    {"W210", Severity::Warning, "a trace's group size above its total sample count"},
    {"W211", Severity::Warning, "a definition the compliance profile requires is missing"},
    {"W212", Severity::Warning, "one name defined in two of EC, SV and DVVAL"},
    {"W213", Severity::Warning,
     "a name that makes an ID file fail to build (no identifier, a keyword, a second constant)"},
};

const Rule& rule_of(const char* code) {
    for (const auto& r : kRules)
        if (std::string_view(r.code) == code) return r;
    return kRules.front();
}

std::string hex_byte(unsigned v) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", v & 0xffu);
    return buffer;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// Alarm codes are ALCD (B), limit IDs LIMITID (U1).
constexpr int kFormatBinary = 8;
constexpr int kFormatU1 = 41;

// A value text with what the equipment makes of it: the value the rules
// compare, or none when the text is absent or not a number of its format
// (the fault is a finding of its own).
struct Value {
    const std::string* text = nullptr;
    std::optional<long double> number;
};

class Checker {
  public:
    explicit Checker(const Snapshot& s) : s_(s), store_(s.store()) {
        for (const auto& e : store_.ce.entries())
            for (const auto& r : e.def.reports)
                if (auto t = s_.resolve(Link::Report, r)) linked_reports_.insert(t->name);
    }

    std::vector<Finding> run() {
        for (Kind k : {Kind::EC, Kind::SV, Kind::DV})
            for (const auto& e : store_.variables(static_cast<edit::Kind>(k)).entries())
                variable(k, e.def);
        shared_vids();
        for (const auto& e : store_.ce.entries()) event(e.def);
        for (const auto& e : store_.rp.entries()) report(e.def);
        for (const auto& e : store_.al.entries()) alarm(e.def);
        for (const auto& e : store_.sp.entries()) spool(e.def);
        for (const auto& e : store_.tr.entries()) trace(e.def);
        id_file_names();
        return std::move(findings_);
    }

  private:
    void add(const char* code, Kind kind, std::string id, std::string name, std::string text) {
        const Rule& r = rule_of(code);
        findings_.push_back(
            {r.code, r.severity, kind, std::move(id), std::move(name), std::move(text), 0});
    }

    // One finding per name that no definition of the link's kinds carries.
    void links(Kind kind, const std::string& id, const std::string& name, const char* what,
               Link link, const std::vector<std::string>& names) {
        for (const auto& n : names)
            if (!s_.resolve(link, n))
                add("E101", kind, id, name, std::string(what) + " " + n + " is not defined");
    }

    // Reads a value of `format`; a text that is not a number of it, or does
    // not fit it, is E110 and takes no part in the other rules.
    Value value(Kind kind, const std::string& id, const std::string& name, const std::string& what,
                int format, const std::optional<std::string>& text) {
        if (!text || !is_numeric_format(format)) return {};
        ValueReading r = read_value(format, *text);
        if (r.fault == ValueFault::None) return {&*text, r.value};
        add("E110", kind, id, name,
            what + " " + quoted(*text) +
                (r.fault == ValueFault::NotANumber ? " is not a number of " : " does not fit ") +
                std::string(textscan::find_format(format)->source_name) + " (the equipment reads " +
                (r.reads.empty() ? "nothing" : r.reads) + ")");
        return {&*text, std::nullopt};
    }

    void variable(Kind kind, const Variable& v) {
        std::string id = std::to_string(v.id);
        links(kind, id, v.name, "event", Link::Event, v.events);
        links(kind, id, v.name, "element", Link::Variable, v.vids);
        if (auto kinds = s_.variable_kinds_named(v.name); kinds.size() > 1 && kinds[0] != kind)
            add("W212", kind, id, v.name,
                "the name is also " + std::string(kind_name(kinds[0])) + " " +
                    *s_.resolve(Link::Variable, v.name)->name + "; links to it reach the " +
                    kind_name(kinds[0]));

        std::set<long double> limit_ids;
        for (const auto& l : v.limits) {
            Value limit = value(kind, id, v.name, "limit ID", kFormatU1, l.id);
            std::string shown = l.id;
            if (limit.number && !limit_ids.insert(*limit.number).second)
                add("E108", kind, id, v.name, "limit ID " + l.id + " is given twice");
            Value low = value(kind, id, v.name, "limit " + shown + " lower", v.form, l.low);
            Value upper = value(kind, id, v.name, "limit " + shown + " upper", v.form, l.upper);
            if (low.number && upper.number && *low.number > *upper.number)
                add("E107", kind, id, v.name,
                    "limit " + shown + ": lower " + l.low + " is above upper " + l.upper);
        }
        Value min = value(kind, id, v.name, "minimum", v.form, v.min);
        Value max = value(kind, id, v.name, "maximum", v.form, v.max);
        Value nominal = value(kind, id, v.name, "nominal", v.form, v.nominal);
        if (min.number && max.number && *min.number > *max.number)
            add("E109", kind, id, v.name,
                "minimum " + *min.text + " is above maximum " + *max.text);
        else if (nominal.number && ((min.number && *nominal.number < *min.number) ||
                                    (max.number && *nominal.number > *max.number)))
            add("W208", kind, id, v.name,
                "nominal " + *nominal.text + " is outside " + (min.text ? *min.text : "") + ".." +
                    (max.text ? *max.text : ""));
        // A[1..N] allows N bytes; a size alone allows that many.
        int32_t allowed = std::max(v.size, v.msize);
        if ((v.form == textscan::kFormatAscii || v.form == textscan::kFormatJis) && v.nominal &&
            allowed >= 1 && v.nominal->size() > static_cast<size_t>(allowed))
            add("W209", kind, id, v.name,
                "nominal is " + std::to_string(v.nominal->size()) +
                    " bytes, longer than the size " + std::to_string(allowed));
    }

    void shared_vids() {
        // The host asks for all three kinds by VID: the later kinds collide
        // with the earlier ones.
        std::unordered_map<int32_t, const Variable*> seen[3];
        for (Kind k : {Kind::EC, Kind::SV, Kind::DV}) {
            for (const auto& e : store_.variables(static_cast<edit::Kind>(k)).entries()) {
                const Variable& v = e.def;
                for (Kind other : {Kind::EC, Kind::SV, Kind::DV}) {
                    if (other == k) break;
                    auto hit = seen[static_cast<int>(other)].find(v.id);
                    if (hit == seen[static_cast<int>(other)].end()) continue;
                    add("E102", k, std::to_string(v.id), v.name,
                        "VID " + std::to_string(v.id) + " is also " + kind_name(other) + " " +
                            hit->second->name);
                }
                seen[static_cast<int>(k)].emplace(v.id, &v);
            }
        }
    }

    void event(const Event& e) {
        links(Kind::CE, std::to_string(e.id), e.name, "report", Link::Report, e.reports);
    }

    void report(const Report& r) {
        std::string id = std::to_string(r.id);
        links(Kind::RP, id, r.name, "variable", Link::Variable, r.variables);
        if (!linked_reports_.count(&r.name))
            add("W201", Kind::RP, id, r.name, "no collection event links this report");
        if (r.variables.empty()) add("W202", Kind::RP, id, r.name, "the report has no variables");
    }

    void alarm_event(const Alarm& a, const std::optional<std::string>& ce, const char* what,
                     const char* missing_code) {
        std::string id = std::to_string(a.id);
        if (!ce)
            add(missing_code, Kind::AL, id, a.name, std::string("the alarm has no ") + what);
        else
            links(Kind::AL, id, a.name, what, Link::Event, {*ce});
    }

    void alarm(const Alarm& a) {
        alarm_event(a, a.ce_on, "set event", "W203");
        alarm_event(a, a.ce_off, "clear event", "W204");
        std::string id = std::to_string(a.id);
        Value code = value(Kind::AL, id, a.name, "alarm code", kFormatBinary, a.alcd);
        if (!code.number) return;
        auto byte = static_cast<unsigned>(*code.number);
        if ((byte & 0x7f) == 0)
            add("W205", Kind::AL, id, a.name,
                "alarm code " + hex_byte(byte) + " has no category (low 7 bits are 0)");
        if (byte & 0x80)
            add("W206", Kind::AL, id, a.name,
                "alarm code " + hex_byte(byte) +
                    " has bit 8 set: that bit is the run-time set/clear flag");
    }

    void spool(const Spool& sp) {
        std::string id = std::to_string(sp.stream);
        if (sp.stream == 1)
            add("E103", Kind::SP, id, sp.name,
                "stream 1 is never spooled, but has spooled functions");
        for (int32_t f : sp.functions) {
            std::string message = "S" + id + "F" + std::to_string(f);
            if (f == 0)
                add("E111", Kind::SP, id, sp.name,
                    message + " aborts a transaction; it is never spooled");
            else if (f % 2 == 0)
                add("E104", Kind::SP, id, sp.name,
                    message + " is a reply; only primary messages spool");
        }
    }

    void trace(const Trace& t) {
        const std::string& id = t.trid.text;
        const std::string& p = t.dsper;
        bool digits = !p.empty();
        for (char c : p) digits = digits && c >= '0' && c <= '9';
        if (!digits || (p.size() != 6 && p.size() != 8))
            add("E105", Kind::TR, id, t.name,
                "sample period \"" + p + "\" is not hhmmss or hhmmsscc");
        else if (p.find_first_not_of('0') == std::string::npos)
            add("E105", Kind::TR, id, t.name, "sample period " + p + " is zero");
        if (t.totsmp < 1)
            add("E106", Kind::TR, id, t.name,
                "total sample count " + std::to_string(t.totsmp) + " is below 1");
        if (t.repgsz < 1)
            add("E106", Kind::TR, id, t.name,
                "report group size " + std::to_string(t.repgsz) + " is below 1");
        if (t.repgsz >= 1 && t.totsmp >= 1 && t.repgsz > t.totsmp)
            add("W210", Kind::TR, id, t.name,
                "report group size " + std::to_string(t.repgsz) +
                    " is above the total sample count " + std::to_string(t.totsmp));
        links(Kind::TR, id, t.name, "variable", Link::StatusVariable, t.svs);
        for (const auto& n : t.svs) {
            auto target = s_.resolve(Link::StatusVariable, n);
            if (!target || target->kind == Kind::SV) continue;
            add("W207", Kind::TR, id, t.name,
                "variable " + n + " is " + (target->kind == Kind::EC ? "an EC" : "a DVVAL") +
                    ", not a status variable");
        }
    }

    // Every definition's name is one constant of the ID files, whatever its
    // kind; the later of two names that collide gets the finding.
    void id_file_names() {
        std::unordered_map<std::string, std::pair<Kind, std::string>> exact, folded;
        auto name = [&](Kind kind, const std::string& id, const std::string& n) {
            if (n.empty()) return;  // a block always has a name; only a test lacks one
            std::string refusing = languages_refusing(n);
            if (refusing == "C, C#, VB")
                add("W213", kind, id, n,
                    "the name is not an identifier: the ID files (.h, .cs, .vb, .bas) do not "
                    "build");
            else if (!refusing.empty())
                add("W213", kind, id, n,
                    "the name is a keyword in " + refusing + ": the ID files in " +
                        (refusing.find(',') == std::string::npos ? "that language"
                                                                 : "those languages") +
                        " do not build");
            std::string shown = std::string(kind_name(kind)) + " " + id;
            auto [same, fresh] = exact.emplace(n, std::pair{kind, shown});
            auto [alike, fresh_folded] = folded.emplace(vb_key(n), std::pair{kind, n});
            if (!fresh)
                add("W213", kind, id, n,
                    "the ID files define the name twice (also " + same->second.second +
                        "): the .cs and .vb do not build, the .h redefines it");
            else if (!fresh_folded)
                add("W213", kind, id, n,
                    "the name differs from " + std::string(kind_name(alike->second.first)) + " " +
                        alike->second.second + " only in case: the .vb and .bas do not build");
        };
        s_.each_definition(name);
    }

    const Snapshot& s_;
    const edit::Store& store_;
    std::unordered_set<const std::string*> linked_reports_;  // by the report's own name
    std::vector<Finding> findings_;
};

}  // namespace

const std::vector<Rule>& rules() { return kRules; }

std::vector<Finding> check(const Snapshot& snapshot, const SourceIndex* source,
                           const Profile* profile) {
    Checker checker(snapshot);
    std::vector<Finding> findings = checker.run();
    if (profile)
        for (const auto& missing : profile->missing(snapshot)) {
            const Rule& r = rule_of("W211");
            findings.push_back({r.code, r.severity, missing.kind, std::string(), missing.name,
                                "required by " +
                                    (profile->path().empty() ? "the profile" : profile->path()) +
                                    " (line " + std::to_string(missing.line) + ") but not defined",
                                0});
        }
    if (source)
        for (auto& f : findings) {
            const SourceBlock* b = f.kind == Kind::SP ? source->find_spool(std::stoi(f.id))
                                                      : source->find(f.kind, f.name);
            if (b && f.code != "W211") f.line = b->line;
        }
    return findings;
}

Counts count(const std::vector<Finding>& findings) {
    Counts c;
    for (const auto& f : findings) (f.severity == Severity::Error ? c.errors : c.warnings) += 1;
    return c;
}

std::string summary(Counts counts) {
    auto part = [](int n, const char* word) {
        return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
    };
    return part(counts.errors, "error") + ", " + part(counts.warnings, "warning");
}

}  // namespace zor::inspect
