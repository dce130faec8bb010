#include "zoredit/testing/fil_writer.h"

#include <cstdio>

namespace zor::edit {
namespace {

class Line {
  public:
    explicit Line(std::string& out, const char* prefix) : out_(out) { out_ += prefix; }
    ~Line() { out_ += "\r\n"; }
    Line& value(const char* tag, int32_t v) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<uint32_t>(v));
        out_ += tag;
        out_ += digits;
        return *this;
    }
    Line& text(const char* tag, const std::string& t) {
        value(tag, static_cast<int32_t>(t.size()));
        out_ += t;
        return *this;
    }
    Line& text(const char* tag, const std::optional<std::string>& t) {
        return t ? text(tag, *t) : *this;
    }
    Line& item(const char* tag, const TextItem& t, bool with_msize = true) {
        text(tag, t.text).value("FORM", t.form).value("SIZE", t.size);
        return with_msize ? value("MSIZ", t.msize) : *this;
    }

  private:
    std::string& out_;
};

void variables(std::string& out, const char* prefix, const std::vector<Variable>& vars) {
    for (const auto& v : vars) {
        Line l(out, prefix);
        l.text("NAME", v.name)
            .value("ID  ", v.id)
            .value("FORM", v.form)
            .value("SIZE", v.size)
            .value("MSIZ", v.msize);
        l.text("UNIT", v.units).text("MIN ", v.min).text("MAX ", v.max).text("NOMI", v.nominal);
        for (const auto& m : v.limits)
            l.text("LMID", m.id).text("LOWE", m.low).text("UPPE", m.upper);
        for (const auto& e : v.events) l.text("EVNT", e);
        for (const auto& n : v.vids) l.text("VID ", n);
    }
}

}  // namespace

std::string write_fil(const Equipment& eq) {
    std::string out;
    for (const auto& r : eq.rp) {
        Line l(out, "RP: ");
        l.text("NAME", r.name).value("ID  ", r.id);
        for (const auto& v : r.variables) l.text("VNAM", v);
    }
    for (const auto& a : eq.al) {
        Line l(out, "AL: ");
        l.text("NAME", a.name).value("ID  ", a.id).text("ALCD", a.alcd).text("ALTX", a.altx);
        l.text("CEON", a.ce_on).text("CEOF", a.ce_off).text("ENAB", a.enabled);
    }
    for (const auto& e : eq.ce) {
        Line l(out, "CE: ");
        l.text("NAME", e.name).value("ID  ", e.id).text("ENAB", e.enabled);
        for (const auto& r : e.reports) l.text("RPNA", r);
    }
    variables(out, "EC: ", eq.ec);
    variables(out, "SV: ", eq.sv);
    variables(out, "DV: ", eq.dv);
    for (const auto& s : eq.sp) {
        Line l(out, "SP: ");
        l.text("NAME", s.name)
            .value("STRE", s.stream)
            .value("COUN", static_cast<int32_t>(s.functions.size()));
        for (int32_t f : s.functions) l.value("FUNC", f);
    }
    for (const auto& p : eq.pp) {
        Line l(out, "PP: ");
        l.text("NAME", p.name).item("ID  ", p.ppid).item("PPBO", p.body);
    }
    for (const auto& p : eq.fp) {
        Line l(out, "FP: ");
        l.text("NAME", p.name).item("ID  ", p.ppid).text("MDLN", p.mdln).text("SOFT", p.softrev);
        l.value("COUN", static_cast<int32_t>(p.codes.size()));
        for (const auto& c : p.codes) {
            l.item("CCOD", c.code).value("PCOU", static_cast<int32_t>(c.params.size()));
            for (const auto& a : c.params) l.item("PPAR", a);
        }
    }
    for (const auto& r : eq.rc) {
        Line l(out, "RC: ");
        l.text("NAME", r.name)
            .text("ID  ", r.id)
            .text("PPBO", r.body)
            .value("COUN", static_cast<int32_t>(r.params.size()));
        for (const auto& p : r.params) {
            l.text("PNAM", p.name);
            if (p.value) l.item("PVAL", *p.value, false);
        }
    }
    for (const auto& t : eq.tr) {
        Line l(out, "TR: ");
        l.text("NAME", t.name)
            .item("ID  ", t.trid)
            .text("DSPE", t.dsper)
            .value("TOTS", t.totsmp)
            .value("REPG", t.repgsz);
        l.value("COUN", static_cast<int32_t>(t.svs.size()));
        for (const auto& n : t.svs) l.text("SVNA", n);
    }
    return out;
}

}  // namespace zor::edit
