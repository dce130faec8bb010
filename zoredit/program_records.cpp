// TPP_INFO, TFPP_INFO, TRCP_INFO and TTRACE_INFO: the kinds with text IDs.
#include <cstring>

#include "zoredit/memory.h"
#include "zoredit/merge.h"
#include "zoredit/records.h"
#include "zoredit/text_util.h"

namespace zor::edit {
namespace {

const char* or_empty(const char* text) { return text ? text : ""; }

struct CodeView {
    std::string code;
    std::vector<std::string> params;
    bool operator==(const CodeView&) const = default;
};

CodeView view_of(const CommandCode& c) {
    CodeView v{c.code.text, {}};
    for (const auto& p : c.params) v.params.push_back(p.text);
    return v;
}

struct ParamView {
    std::string name;
    std::optional<std::string> value;
    bool operator==(const ParamView&) const = default;
};

ParamView view_of(const RecipeParam& p) {
    return {p.name.value_or(""), p.value ? std::optional(p.value->text) : std::nullopt};
}

// Takes the texts of list entries inside a merge, which goes on: the first
// refusal, named as the editor's rows name the field, is kept for after it.
class TextTaker {
  public:
    TextItem operator()(const TextItem* held, const std::string& text, const std::string& what) {
        TextItem item;
        if (refusal_.empty() && !take_text_item(held, text, 0, 0, what, item, refusal_))
            item.text = text;
        return item;
    }
    // True, with the reason in `error`, when a text was refused.
    bool refused(std::string& error) {
        if (refusal_.empty()) return false;
        error = std::move(refusal_);
        return true;
    }

  private:
    std::string refusal_;
};

}  // namespace

// ---- process programs -----------------------------------------------------------

void fill_record(const ProcessProgram& d, bool deleted, const Store&, TPP_INFO* r) {
    std::memset(r, 0, sizeof *r);
    try {
        r->name = dup_text(d.name);
        r->ppid_format = d.ppid.form;
        r->ppid_length = d.ppid.size;
        r->ppid = dup_text(d.ppid.text);
        r->ppbody_format = d.body.form;
        r->ppbody_length = d.body.size;
        r->ppbody = dup_text(d.body.text);
        r->deleted = deleted ? 1 : 0;
    } catch (...) {
        free_record(r);
        throw;
    }
}

bool take_record(const TPP_INFO& r, const ProcessProgram* held, const Store&, ProcessProgram& out,
                 std::string& error) {
    if (!check_text(r.name, "name", true, error) || !check_text(r.ppid, "PPID", true, error) ||
        !check_text(r.ppbody, "PPBODY", false, error))
        return false;
    ProcessProgram p;
    p.name = r.name;
    if (!take_text_item(held ? &held->ppid : nullptr, r.ppid, r.ppid_format, r.ppid_length, "PPID",
                        p.ppid, error) ||
        !take_text_item(held ? &held->body : nullptr, or_empty(r.ppbody), r.ppbody_format,
                        r.ppbody_length, "PPBODY", p.body, error))
        return false;
    out = std::move(p);
    return true;
}

void free_record(TPP_INFO* r) {
    if (!r) return;
    free_block(r->name);
    free_block(r->ppid);
    free_block(r->ppbody);
    r->name = r->ppid = r->ppbody = nullptr;
}

// ---- formatted process programs ---------------------------------------------------

void fill_record(const FormattedProgram& d, bool deleted, const Store&, TFPP_INFO* r) {
    std::memset(r, 0, sizeof *r);
    try {
        r->name = dup_text(d.name);
        r->ppid = dup_text(d.ppid.text);
        r->mdln = dup_text(d.mdln);
        r->softrev = dup_text(d.softrev);
        if (!d.codes.empty()) {
            r->ccodes = alloc_array<TFPP_CCODE*>(d.codes.size());
            r->ccode_count = static_cast<int32_t>(d.codes.size());
            for (size_t i = 0; i < d.codes.size(); ++i) {
                TFPP_CCODE* c = r->ccodes[i] = alloc_array<TFPP_CCODE>(1);
                c->ccode = dup_text(d.codes[i].code.text);
                const auto& params = d.codes[i].params;
                if (!params.empty()) {
                    c->pparams = alloc_array<TFPP_PPARAM*>(params.size());
                    c->pparam_count = static_cast<int32_t>(params.size());
                    for (size_t j = 0; j < params.size(); ++j) {
                        c->pparams[j] = alloc_array<TFPP_PPARAM>(1);
                        c->pparams[j]->pparam = dup_text(params[j].text);
                    }
                }
            }
        }
        r->deleted = deleted ? 1 : 0;
    } catch (...) {
        free_record(r);
        throw;
    }
}

bool take_record(const TFPP_INFO& r, const FormattedProgram* held, const Store&,
                 FormattedProgram& out, std::string& error) {
    if (!check_text(r.name, "name", true, error) || !check_text(r.ppid, "PPID", true, error) ||
        !check_text(r.mdln, "MDLN", false, error) ||
        !check_text(r.softrev, "SOFTREV", false, error) ||
        !check_count(r.ccode_count, r.ccodes, "CCODE", error))
        return false;
    std::vector<CodeView> incoming;
    for (int32_t i = 0; i < r.ccode_count; ++i) {
        const TFPP_CCODE* c = r.ccodes[i];
        if (!c || !check_text(c->ccode, "CCODE", false, error) ||
            !check_count(c->pparam_count, c->pparams, "PPARAM", error)) {
            if (error.empty()) error = "CCODE entry missing";
            return false;
        }
        CodeView v{or_empty(c->ccode), {}};
        for (int32_t j = 0; j < c->pparam_count; ++j) {
            const TFPP_PPARAM* p = c->pparams[j];
            if (!p || !check_text(p->pparam, "PPARAM", false, error)) {
                if (error.empty()) error = "PPARAM entry missing";
                return false;
            }
            v.params.push_back(or_empty(p->pparam));
        }
        incoming.push_back(std::move(v));
    }
    FormattedProgram p;
    p.name = r.name;
    if (!take_text_item(held ? &held->ppid : nullptr, r.ppid, 0, 0, "PPID", p.ppid, error))
        return false;
    p.mdln = or_empty(r.mdln);
    p.softrev = or_empty(r.softrev);
    std::vector<CommandCode> held_codes = held ? held->codes : std::vector<CommandCode>{};
    std::vector<CodeView> held_view;
    for (const auto& c : held_codes) held_view.push_back(view_of(c));
    TextTaker take;
    p.codes = merge_list(
        held_codes, held_view, incoming, ShownCaps::fpp_codes, [&](const CodeView& v, size_t i) {
            // A changed command code keeps the formats of what it still holds:
            // the code at the same place when its text or its parameters are
            // still the same, else the code with the same text, else the
            // code at the same place.
            const CommandCode* near = i < held_codes.size() ? &held_codes[i] : nullptr;
            if (!near || (near->code.text != v.code && held_view[i].params != v.params))
                for (const auto& c : held_codes)
                    if (c.code.text == v.code) {
                        near = &c;
                        break;
                    }
            const std::string n = std::to_string(i + 1);
            CommandCode c;
            c.code = take(near ? &near->code : nullptr, v.code, "CCODE-" + n);
            std::vector<TextItem> held_params = near ? near->params : std::vector<TextItem>{};
            std::vector<std::string> held_texts;
            for (const auto& t : held_params) held_texts.push_back(t.text);
            // A parameter whose text changed is the one at its place, with
            // its format and count.
            c.params =
                merge_list(held_params, held_texts, v.params, ShownCaps::fpp_params,
                           [&](const std::string& text, size_t j) {
                               return take(j < held_params.size() ? &held_params[j] : nullptr, text,
                                           "PPARAM-" + n + "-" + std::to_string(j + 1));
                           });
            return c;
        });
    if (take.refused(error)) return false;
    out = std::move(p);
    return true;
}

void free_record(TFPP_INFO* r) {
    if (!r) return;
    free_block(r->name);
    free_block(r->ppid);
    free_block(r->mdln);
    free_block(r->softrev);
    if (r->ccodes) {
        for (int32_t i = 0; i < r->ccode_count; ++i) {
            TFPP_CCODE* c = r->ccodes[i];
            if (!c) continue;
            if (c->pparams) {
                for (int32_t j = 0; j < c->pparam_count; ++j) {
                    if (c->pparams[j]) free_block(c->pparams[j]->pparam);
                    free_block(c->pparams[j]);
                }
            }
            free_block(c->pparams);
            free_block(c->ccode);
            free_block(c);
        }
    }
    free_block(r->ccodes);
    r->name = r->ppid = r->mdln = r->softrev = nullptr;
    r->ccodes = nullptr;
    r->ccode_count = 0;
}

// ---- recipes ----------------------------------------------------------------------

void fill_record(const Recipe& d, bool deleted, const Store&, TRCP_INFO* r) {
    std::memset(r, 0, sizeof *r);
    try {
        r->name = dup_text(d.name);
        r->rcpid = dup_text(d.id);
        if (d.body) r->rcpbody = dup_text(*d.body);
        if (!d.params.empty()) {
            r->params = alloc_array<TRCP_PARAM*>(d.params.size());
            r->param_count = static_cast<int32_t>(d.params.size());
            for (size_t i = 0; i < d.params.size(); ++i) {
                TRCP_PARAM* p = r->params[i] = alloc_array<TRCP_PARAM>(1);
                p->name = dup_text(d.params[i].name.value_or(""));
                if (d.params[i].value) p->value = dup_text(d.params[i].value->text);
            }
        }
        r->deleted = deleted ? 1 : 0;
    } catch (...) {
        free_record(r);
        throw;
    }
}

bool take_record(const TRCP_INFO& r, const Recipe* held, const Store&, Recipe& out,
                 std::string& error) {
    if (!check_text(r.name, "name", true, error) || !check_text(r.rcpid, "RCPID", true, error) ||
        !check_text(r.rcpbody, "RCPBODY", false, error) ||
        !check_count(r.param_count, r.params, "parameter", error))
        return false;
    std::vector<ParamView> incoming;
    for (int32_t i = 0; i < r.param_count; ++i) {
        const TRCP_PARAM* p = r.params[i];
        if (!p || !check_text(p->name, "parameter name", false, error) ||
            !check_text(p->value, "parameter value", false, error)) {
            if (error.empty()) error = "parameter entry missing";
            return false;
        }
        incoming.push_back(
            {or_empty(p->name), p->value ? std::optional<std::string>(p->value) : std::nullopt});
    }
    Recipe c;
    c.name = r.name;
    c.id = r.rcpid;
    if (held && held->body == (r.rcpbody ? std::optional<std::string>(r.rcpbody) : std::nullopt))
        c.body = held->body;
    else
        c.body = r.rcpbody ? std::optional<std::string>(r.rcpbody) : std::nullopt;
    std::vector<RecipeParam> held_params = held ? held->params : std::vector<RecipeParam>{};
    std::vector<ParamView> held_view;
    for (const auto& p : held_params) held_view.push_back(view_of(p));
    TextTaker take;
    c.params = merge_list(held_params, held_view, incoming, ShownCaps::recipe_params,
                          [&](const ParamView& v, size_t i) {
                              RecipeParam p;
                              p.name = v.name;
                              if (v.value) {
                                  const TextItem* near = nullptr;
                                  if (i < held_params.size() && held_params[i].value)
                                      near = &*held_params[i].value;
                                  p.value =
                                      take(near, *v.value, "ParaVal-" + std::to_string(i + 1));
                                  p.value->msize = 0;
                              }
                              return p;
                          });
    if (take.refused(error)) return false;
    out = std::move(c);
    return true;
}

void free_record(TRCP_INFO* r) {
    if (!r) return;
    free_block(r->name);
    free_block(r->rcpid);
    free_block(r->rcpbody);
    if (r->params) {
        for (int32_t i = 0; i < r->param_count; ++i) {
            if (TRCP_PARAM* p = r->params[i]) {
                free_block(p->name);
                free_block(p->value);
                free_block(p);
            }
        }
    }
    free_block(r->params);
    r->name = r->rcpid = r->rcpbody = nullptr;
    r->params = nullptr;
    r->param_count = 0;
}

// ---- traces -----------------------------------------------------------------------

void fill_record(const Trace& d, bool deleted, const Store& s, TTRACE_INFO* r) {
    std::memset(r, 0, sizeof *r);
    try {
        r->name = dup_text(d.name);
        r->trid = dup_text(d.trid.text);
        r->trid_format = d.trid.form;
        r->trid_length = d.trid.size;
        r->dsper = dup_text(d.dsper);
        r->totsmp = d.totsmp;
        r->repgsz = d.repgsz;
        if (!d.svs.empty()) {
            r->svids = alloc_array<int32_t>(d.svs.size());
            r->svid_count = static_cast<int32_t>(d.svs.size());
            for (size_t i = 0; i < d.svs.size(); ++i)
                r->svids[i] = s.resolve(Link::StatusVariable, d.svs[i]);
        }
        r->deleted = deleted ? 1 : 0;
    } catch (...) {
        free_record(r);
        throw;
    }
}

bool take_record(const TTRACE_INFO& r, const Trace* held, const Store& s, Trace& out,
                 std::string& error) {
    if (!check_text(r.name, "name", true, error) || !check_text(r.trid, "TRID", true, error) ||
        !check_text(r.dsper, "DSPER", false, error) ||
        !check_count(r.svid_count, r.svids, "SVID", error))
        return false;
    Trace t;
    t.name = r.name;
    if (!take_text_item(held ? &held->trid : nullptr, r.trid, r.trid_format, r.trid_length, "TRID",
                        t.trid, error))
        return false;
    t.dsper = or_empty(r.dsper);
    t.totsmp = r.totsmp;
    t.repgsz = r.repgsz;
    std::vector<std::string> held_svs = held ? held->svs : std::vector<std::string>{};
    std::vector<int32_t> held_ids;
    for (const auto& n : held_svs) held_ids.push_back(s.resolve(Link::StatusVariable, n));
    std::vector<int32_t> incoming = r.svid_count > 0
                                        ? std::vector<int32_t>(r.svids, r.svids + r.svid_count)
                                        : std::vector<int32_t>{};
    t.svs = merge_list(held_svs, held_ids, incoming, ShownCaps::trace_svids,
                       [&](int32_t id, size_t) { return s.link_name(Link::StatusVariable, id); });
    out = std::move(t);
    return true;
}

void free_record(TTRACE_INFO* r) {
    if (!r) return;
    free_block(r->name);
    free_block(r->trid);
    free_block(r->dsper);
    free_block(r->svids);
    r->name = r->trid = r->dsper = nullptr;
    r->svids = nullptr;
    r->svid_count = 0;
}

}  // namespace zor::edit
