#include "inspect/check.h"

#include <cstdio>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "inspect/profile.h"
#include "inspect/source_index.h"

namespace zor::inspect {
namespace {

const std::vector<Rule> kRules = {
    {"E101", Severity::Error, "a link names no live definition of the right kind"},
    {"E102", Severity::Error, "one VID is used by more than one of EC, SV and DVVAL"},
    {"E103", Severity::Error, "stream 1 is set for spooling"},
    {"E104", Severity::Error, "a reply (even function) is set for spooling"},
    {"E105", Severity::Error, "a trace's sample period is not hhmmss or hhmmsscc, or is zero"},
    {"E106", Severity::Error, "a trace's total sample count or group size is below 1"},
    {"E107", Severity::Error, "a limit's lower boundary is above its upper boundary"},
    {"E108", Severity::Error, "one limit ID twice in one variable"},
    {"E109", Severity::Error, "a minimum above the maximum"},
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
};

const Rule& rule_of(const char* code) {
    for (const auto& r : kRules)
        if (std::string_view(r.code) == code) return r;
    return kRules.front();
}

std::string number_text(long double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15Lg", v);
    return buffer;
}

std::string hex_byte(unsigned v) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", v & 0xffu);
    return buffer;
}

class Checker {
  public:
    Checker(const Snapshot& s, const SourceIndex* source) : s_(s), source_(source) {
        for (const auto& v : s.variables) variables_[static_cast<int>(v.kind)].emplace(v.id, &v);
        for (const auto& e : s.events) events_.insert(e.id);
        for (const auto& r : s.reports) reports_.insert(r.id);
        for (const auto& e : s.events) linked_reports_.insert(e.reports.begin(), e.reports.end());
    }

    std::vector<Finding> run() {
        for (const auto& v : s_.variables) variable(v);
        shared_vids();
        for (const auto& e : s_.events) event(e);
        for (const auto& r : s_.reports) report(r);
        for (const auto& a : s_.alarms) alarm(a);
        for (const auto& sp : s_.spools) spool(sp);
        for (const auto& t : s_.traces) trace(t);
        return std::move(findings_);
    }

  private:
    void add(const char* code, Kind kind, std::string id, std::string name, std::string text) {
        const Rule& r = rule_of(code);
        findings_.push_back(
            {r.code, r.severity, kind, std::move(id), std::move(name), std::move(text), 0});
    }

    bool is_variable(int32_t id) const {
        for (const auto& kind : variables_)
            if (kind.count(id)) return true;
        return false;
    }
    bool is(Kind kind, int32_t id) const {
        return variables_[static_cast<int>(kind)].count(id) > 0;
    }

    // The names a block writes for one link key, when the source at hand is
    // the one compiled (same number of links); else none.
    std::vector<std::string> written(Kind kind, const std::string& name, const char* key,
                                     size_t links) const {
        if (!source_) return {};
        const SourceBlock* b = source_->find(kind, name);
        if (!b) return {};
        auto names = b->values(key);
        return names.size() == links ? names : std::vector<std::string>{};
    }

    // One finding per link that names nothing live: as written when the
    // name is known, else by its place in the list.
    void links(Kind kind, const std::string& id, const std::string& name, const char* what,
               const std::vector<int32_t>& ids, const std::vector<std::string>& names,
               const std::function<bool(int32_t)>& live) {
        for (size_t i = 0; i < ids.size(); ++i) {
            if (live(ids[i])) continue;
            std::string text;
            if (i < names.size())
                text = std::string(what) + " " + names[i] + " is not defined";
            else if (ids[i] == 0)
                text = std::string(what) + " #" + std::to_string(i + 1) + " names no definition";
            else
                text = std::string(what) + " " + std::to_string(ids[i]) + " is not defined";
            add("E101", kind, id, name, text);
        }
    }

    void variable(const Variable& v) {
        std::string id = std::to_string(v.id);
        links(v.kind, id, v.name, "event", v.events,
              written(v.kind, v.name, "event", v.events.size()),
              [this](int32_t ce) { return events_.count(ce) > 0; });
        std::vector<int32_t> element_ids;
        std::vector<std::string> element_names;
        for (const auto& e : v.elements) {
            element_ids.push_back(e.vid);
            element_names.push_back(e.name);
        }
        links(v.kind, id, v.name, "element", element_ids, element_names,
              [this](int32_t vid) { return is_variable(vid); });

        std::unordered_set<int32_t> limit_ids;
        for (const auto& l : v.limits) {
            if (!limit_ids.insert(l.id).second)
                add("E108", v.kind, id, v.name,
                    "limit ID " + std::to_string(l.id) + " is given twice");
            if (l.low && l.upper && *l.low > *l.upper)
                add("E107", v.kind, id, v.name,
                    "limit " + std::to_string(l.id) + ": lower " + number_text(*l.low) +
                        " is above upper " + number_text(*l.upper));
        }
        if (v.min && v.max && *v.min > *v.max)
            add("E109", v.kind, id, v.name,
                "minimum " + number_text(*v.min) + " is above maximum " + number_text(*v.max));
        else if (v.nominal && ((v.min && *v.nominal < *v.min) || (v.max && *v.nominal > *v.max)))
            add("W208", v.kind, id, v.name,
                "nominal " + number_text(*v.nominal) + " is outside " +
                    (v.min ? number_text(*v.min) : std::string()) + ".." +
                    (v.max ? number_text(*v.max) : std::string()));
        // Size 1 is also what A[1..N] gives; its maximum does not reach us,
        // so only a fixed size above 1 can be checked.
        if (v.nominal_text && v.size > 1 && v.nominal_text->size() > static_cast<size_t>(v.size))
            add("W209", v.kind, id, v.name,
                "nominal is " + std::to_string(v.nominal_text->size()) +
                    " bytes, longer than the size " + std::to_string(v.size));
    }

    void shared_vids() {
        // The host asks for all three kinds by VID: the later kinds collide
        // with the earlier ones.
        for (const auto& v : s_.variables) {
            for (Kind other : {Kind::EC, Kind::SV, Kind::DV}) {
                if (other == v.kind) break;
                auto hit = variables_[static_cast<int>(other)].find(v.id);
                if (hit == variables_[static_cast<int>(other)].end()) continue;
                add("E102", v.kind, std::to_string(v.id), v.name,
                    "VID " + std::to_string(v.id) + " is also " + kind_name(other) + " " +
                        hit->second->name);
            }
        }
    }

    void event(const Event& e) {
        links(Kind::CE, std::to_string(e.id), e.name, "report", e.reports,
              written(Kind::CE, e.name, "rptname", e.reports.size()),
              [this](int32_t rp) { return reports_.count(rp) > 0; });
    }

    void report(const Report& r) {
        std::string id = std::to_string(r.id);
        links(Kind::RP, id, r.name, "variable", r.variables,
              written(Kind::RP, r.name, "vname", r.variables.size()),
              [this](int32_t vid) { return is_variable(vid); });
        if (!linked_reports_.count(r.id))
            add("W201", Kind::RP, id, r.name, "no collection event links this report");
        if (r.variables.empty()) add("W202", Kind::RP, id, r.name, "the report has no variables");
    }

    // An alarm event that names nothing reads as no event at all; only the
    // source tells the two apart.
    void alarm_event(const Alarm& a, uint32_t ce, const char* key, const char* what,
                     const char* missing_code) {
        std::string id = std::to_string(a.id);
        std::vector<std::string> names;
        if (source_)
            if (const SourceBlock* b = source_->find(Kind::AL, a.name)) names = b->values(key);
        if (ce == 0 && names.empty()) {
            add(missing_code, Kind::AL, id, a.name, std::string("the alarm has no ") + what);
            return;
        }
        links(Kind::AL, id, a.name, what, {static_cast<int32_t>(ce)},
              names.size() == 1 ? names : std::vector<std::string>{},
              [this](int32_t c) { return c != 0 && events_.count(c) > 0; });
    }

    void alarm(const Alarm& a) {
        alarm_event(a, a.set_event, "ce_on", "set event", "W203");
        alarm_event(a, a.clear_event, "ce_off", "clear event", "W204");
        std::string id = std::to_string(a.id);
        if ((a.code & 0x7f) == 0)
            add("W205", Kind::AL, id, a.name,
                "alarm code " + hex_byte(a.code) + " has no category (low 7 bits are 0)");
        if (a.code & 0x80)
            add("W206", Kind::AL, id, a.name,
                "alarm code " + hex_byte(a.code) +
                    " has bit 8 set: that bit is the run-time set/clear flag");
    }

    void spool(const Spool& sp) {
        std::string id = std::to_string(sp.stream);
        const SourceBlock* b = source_ ? source_->find_spool(sp.stream) : nullptr;
        std::string name = b ? b->name : std::string();
        if (sp.stream == 1)
            add("E103", Kind::SP, id, name, "stream 1 is never spooled, but has spooled functions");
        for (int32_t f : sp.functions)
            if (f % 2 == 0)
                add("E104", Kind::SP, id, name,
                    "S" + id + "F" + std::to_string(f) +
                        " is a reply; only primary messages spool");
    }

    void trace(const Trace& t) {
        const std::string& p = t.period;
        bool digits = !p.empty();
        for (char c : p) digits = digits && c >= '0' && c <= '9';
        if (!digits || (p.size() != 6 && p.size() != 8))
            add("E105", Kind::TR, t.id, t.name,
                "sample period \"" + p + "\" is not hhmmss or hhmmsscc");
        else if (p.find_first_not_of('0') == std::string::npos)
            add("E105", Kind::TR, t.id, t.name, "sample period " + p + " is zero");
        if (t.total_samples < 1)
            add("E106", Kind::TR, t.id, t.name,
                "total sample count " + std::to_string(t.total_samples) + " is below 1");
        if (t.group_size < 1)
            add("E106", Kind::TR, t.id, t.name,
                "report group size " + std::to_string(t.group_size) + " is below 1");
        if (t.group_size >= 1 && t.total_samples >= 1 && t.group_size > t.total_samples)
            add("W210", Kind::TR, t.id, t.name,
                "report group size " + std::to_string(t.group_size) +
                    " is above the total sample count " + std::to_string(t.total_samples));
        auto names = written(Kind::TR, t.name, "svname", t.variables.size());
        links(Kind::TR, t.id, t.name, "variable", t.variables, names,
              [this](int32_t vid) { return is_variable(vid); });
        for (size_t i = 0; i < t.variables.size(); ++i) {
            int32_t vid = t.variables[i];
            if (is(Kind::SV, vid) || !is_variable(vid)) continue;
            std::string shown = i < names.size() ? names[i] : std::to_string(vid);
            add("W207", Kind::TR, t.id, t.name,
                "variable " + shown + " is " + (is(Kind::EC, vid) ? "an EC" : "a DVVAL") +
                    ", not a status variable");
        }
    }

    const Snapshot& s_;
    const SourceIndex* source_;
    std::unordered_map<int32_t, const Variable*> variables_[3];  // EC, SV, DV
    std::unordered_set<int32_t> events_, reports_, linked_reports_;
    std::vector<Finding> findings_;
};

}  // namespace

const std::vector<Rule>& rules() { return kRules; }

std::vector<Finding> check(const Snapshot& snapshot, const SourceIndex* source,
                           const Profile* profile) {
    Checker checker(snapshot, source);
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
