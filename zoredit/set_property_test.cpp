// Editor-style sets on generated equipments in hostile layouts: random
// changes to records of every kind, each list sent back only as far as its
// editor shows it, texts changed in place, spool settings removed one by one
// or all at once, then a save onto the loaded source (compared at the load
// or not), compile and reload. Every changed record reads back as it was set
// (with every entry past its editor's cap behind it, in order), a text that
// is no value of its item's format is refused and changes nothing, every
// record nobody touched reads back as it was first loaded, every text item
// keeps its format, and link names that name nothing keep their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "zoredit/fil_reader.h"
#include "zoredit/source_generator.h"
#include "zoredit/test_support.h"
#include "zoredit/zoredit.h"

namespace zor::edit::test {
namespace {

using Ids = std::vector<int32_t>;

std::string ids_text(const int32_t* ids, int32_t count) {
    std::string s = "[";
    for (int32_t i = 0; i < count; ++i) s += (i ? " " : "") + std::to_string(ids[i]);
    return s + "]";
}

std::string text_or(const char* t) { return t ? "\"" + std::string(t) + "\"" : "null"; }

std::string value_text(int code, const void* value) {
    if (!value) return "null";
    char buffer[8192];
    const char* t = zor_edit_vdval(buffer, code, value, 0, sizeof buffer);
    return t ? t : "?";
}

// Every field a record shows, as one comparable text.
std::string dump(const TV_INFO& r) {
    std::string s = std::to_string(r.vid) + " " + text_or(r.name) + " f" +
                    std::to_string(r.format) + " n" + std::to_string(r.size) + " " +
                    value_text(r.format, r.min) + " " + value_text(r.format, r.max) + " " +
                    value_text(r.format, r.nominal) + " u" + text_or(r.units) + " items ";
    if (r.format == 0) {
        if (r.items.list) s += ids_text(r.items.list->vids, r.item_count);
    } else {
        for (int32_t i = 0; i < r.item_count; ++i) {
            const TV_LIMIT* l = r.items.limits[i];
            s += "(" + std::to_string(l->limit_id) + " " + value_text(r.format, l->low) + " " +
                 value_text(r.format, l->upper) + ")";
        }
    }
    return s + " ce" + ids_text(r.ceids, r.ceid_count) + " d" + std::to_string(r.deleted);
}
std::string dump(const TCE_INFO& r) {
    return std::to_string(r.ceid) + " " + text_or(r.name) + " e" + std::to_string(r.ceed) + " " +
           ids_text(r.rpids, r.rpid_count) + " d" + std::to_string(r.deleted);
}
std::string dump(const TRP_INFO& r) {
    return std::to_string(r.rpid) + " " + text_or(r.name) + " " + ids_text(r.vids, r.vid_count) +
           " d" + std::to_string(r.deleted);
}
std::string dump(const TAL_INFO& r) {
    return std::to_string(r.alid) + " " + text_or(r.name) + " c" + std::to_string(r.alcd) + " " +
           text_or(r.altx) + " e" + std::to_string(r.aled) + " on" + std::to_string(r.ce_on) +
           " off" + std::to_string(r.ce_off) + " d" + std::to_string(r.deleted);
}
std::string dump(const TPP_INFO& r) {
    return text_or(r.name) + " " + text_or(r.ppid) + " f" + std::to_string(r.ppid_format) + " n" +
           std::to_string(r.ppid_length) + " " + text_or(r.ppbody) + " f" +
           std::to_string(r.ppbody_format) + " n" + std::to_string(r.ppbody_length) + " d" +
           std::to_string(r.deleted);
}
std::string dump(const TFPP_INFO& r) {
    std::string s = text_or(r.name) + " " + text_or(r.ppid) + " " + text_or(r.mdln) + " " +
                    text_or(r.softrev) + " codes";
    for (int32_t i = 0; i < r.ccode_count; ++i) {
        s += " (" + text_or(r.ccodes[i]->ccode);
        for (int32_t j = 0; j < r.ccodes[i]->pparam_count; ++j)
            s += " " + text_or(r.ccodes[i]->pparams[j]->pparam);
        s += ")";
    }
    return s + " d" + std::to_string(r.deleted);
}
std::string dump(const TRCP_INFO& r) {
    std::string s = text_or(r.name) + " " + text_or(r.rcpid) + " " + text_or(r.rcpbody) + " params";
    for (int32_t i = 0; i < r.param_count; ++i)
        s += " (" + text_or(r.params[i]->name) + " " + text_or(r.params[i]->value) + ")";
    return s + " d" + std::to_string(r.deleted);
}
std::string dump(const TTRACE_INFO& r) {
    return text_or(r.name) + " " + text_or(r.trid) + " " + text_or(r.dsper) + " t" +
           std::to_string(r.totsmp) + " g" + std::to_string(r.repgsz) + " " +
           ids_text(r.svids, r.svid_count) + " d" + std::to_string(r.deleted);
}

// Text IDs are one ID whatever the case of their letters.
std::string folded(std::string id) {
    for (char& c : id)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return id;
}

// Formats that hold values: a text must read as one of them.
bool holds_values(int form) {
    return form != ZOR_FMT_L && form != ZOR_FMT_A && form != ZOR_FMT_J && form != ZOR_FMT_LEND &&
           form != 255;
}

// One kind through the C interface, numeric or text keyed.
template <class Rec, class Key, class List>
struct KindCalls {
    const char* name;
    int (*list)(int, List**);
    int (*get)(int, Key, Rec*);
    int (*set)(int, const Rec*);
};

// The dump of every definition held now, keyed by kind and ID.
using Snapshot = std::map<std::string, std::string>;

// Gets every definition of a kind in turn: f("KIND id", record), the record
// freed after.
template <class Rec, class Key, class List, class F>
void for_each_record(const KindCalls<Rec, Key, List>& k, F f) {
    List* list = nullptr;
    k.list(0, &list);
    ASSERT_NE(list, nullptr);
    for (int32_t i = 0; i < list->count; ++i) {
        Rec r;
        ASSERT_EQ(k.get(0, list->ids[i], &r), 0);
        std::string key;
        if constexpr (std::is_same_v<Key, int32_t>)
            key = std::to_string(list->ids[i]);
        else
            key = folded(list->ids[i]);
        f(std::string(k.name) + " " + key, r);
        release(&r);
    }
    if constexpr (std::is_same_v<List, TBIN_DLIST>)
        ZorFreeTBIN_DLIST(list);
    else
        ZorFreeTTEXT_DLIST(list);
}

template <class Rec, class Key, class List>
void take(Snapshot& out, const KindCalls<Rec, Key, List>& k) {
    for_each_record(k, [&](const std::string& key, Rec& r) { out[key] = dump(r); });
}

const KindCalls<TV_INFO, int32_t, TBIN_DLIST> kEc{"EC", GemGetEcList, GemGetEcInfo, GemSetEcInfo};
const KindCalls<TV_INFO, int32_t, TBIN_DLIST> kSv{"SV", GemGetSvList, GemGetSvInfo, GemSetSvInfo};
const KindCalls<TV_INFO, int32_t, TBIN_DLIST> kDv{"DV", GemGetDvList, GemGetDvInfo, GemSetDvInfo};
const KindCalls<TCE_INFO, int32_t, TBIN_DLIST> kCe{"CE", GemGetCeList, GemGetCeInfo, GemSetCeInfo};
const KindCalls<TRP_INFO, int32_t, TBIN_DLIST> kRp{"RP", GemGetRpList, GemGetRpInfo, GemSetRpInfo};
const KindCalls<TAL_INFO, int32_t, TBIN_DLIST> kAl{"AL", GemGetAlList, GemGetAlInfo, GemSetAlInfo};
const KindCalls<TPP_INFO, const char*, TTEXT_DLIST> kPp{"PP", GemGetPpList, GemGetPpInfo,
                                                        GemSetPpInfo};
const KindCalls<TFPP_INFO, const char*, TTEXT_DLIST> kFp{"FP", GemGetFppList, GemGetFppInfo,
                                                         GemSetFppInfo};
const KindCalls<TRCP_INFO, const char*, TTEXT_DLIST> kRc{"RC", GemGetRcpList, GemGetRcpInfo,
                                                         GemSetRcpInfo};
const KindCalls<TTRACE_INFO, const char*, TTEXT_DLIST> kTr{"TR", GemGetTrList, GemGetTrInfo,
                                                           GemSetTrInfo};

// Names only the definitions that differ.
::testing::AssertionResult same(const Snapshot& got, const Snapshot& expected) {
    std::string diff;
    for (const auto& [key, dump] : expected) {
        auto it = got.find(key);
        if (it == got.end())
            diff += "\n" + key + " missing, expected " + dump;
        else if (it->second != dump)
            diff += "\n" + key + "\n  got      " + it->second + "\n  expected " + dump;
    }
    for (const auto& [key, dump] : got)
        if (!expected.count(key)) diff += "\n" + key + " unexpected: " + dump;
    if (diff.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << diff;
}

Snapshot snapshot() {
    Snapshot s;
    take(s, kEc);
    take(s, kSv);
    take(s, kDv);
    take(s, kCe);
    take(s, kRp);
    take(s, kAl);
    take(s, kPp);
    take(s, kFp);
    take(s, kRc);
    take(s, kTr);
    for (int stream = 0; stream < 256; ++stream) {
        int32_t functions[ZOR_MAX_LIST];
        int n = GemGetSpoolInfo(0, stream, functions, ZOR_MAX_LIST);
        if (n > 0) s["SP " + std::to_string(stream)] = ids_text(functions, n);
    }
    return s;
}

// How one record is sent and what it must read back as: each list edit can
// put the record into its sent form, its expected form, and back as got (so
// that the record frees what it was given).
struct Edits {
    std::vector<std::function<void()>> to_sent, to_expected, restore;
    static void run(const std::vector<std::function<void()>>& steps) {
        for (const auto& step : steps) step();
    }
};

// Every text item's format, per definition, keyed as the snapshot keys it.
using Formats = std::map<std::string, std::vector<int>>;

Formats formats_of(const Equipment& eq) {
    Formats out;
    for (const auto& d : eq.pp) out["PP " + folded(d.ppid.text)] = {d.ppid.form, d.body.form};
    for (const auto& d : eq.fp) {
        std::vector<int>& f = out["FP " + folded(d.ppid.text)];
        f.push_back(d.ppid.form);
        for (const auto& c : d.codes) {
            f.push_back(c.code.form);
            for (const auto& p : c.params) f.push_back(p.form);
        }
    }
    for (const auto& d : eq.rc) {
        std::vector<int>& f = out["RC " + folded(d.id)];
        for (const auto& p : d.params) f.push_back(p.value ? p.value->form : -1);
    }
    for (const auto& d : eq.tr) out["TR " + folded(d.trid.text)] = {d.trid.form};
    return out;
}

// Each list of link names, keyed by definition and list, and the names
// every kind of link can reach.
using Links = std::map<std::string, std::vector<std::string>>;

Links links_of(const Equipment& eq, std::set<std::string>& names) {
    Links out;
    const std::pair<const char*, const std::vector<Variable>*> variables[] = {
        {"EC", &eq.ec}, {"SV", &eq.sv}, {"DV", &eq.dv}};
    for (const auto& [kind, list] : variables)
        for (const auto& v : *list) {
            names.insert(folded(v.name));
            const std::string key = std::string(kind) + " " + std::to_string(v.id);
            out[key + " vids"] = v.vids;
            out[key + " events"] = v.events;
        }
    for (const auto& d : eq.ce) {
        names.insert(folded(d.name));
        out["CE " + std::to_string(d.id)] = d.reports;
    }
    for (const auto& d : eq.rp) {
        names.insert(folded(d.name));
        out["RP " + std::to_string(d.id)] = d.variables;
    }
    for (const auto& d : eq.tr) out["TR " + folded(d.trid.text)] = d.svs;
    return out;
}

// The names of `list` that name no definition and are no number: a record
// shows each of them as ID 0.
std::vector<std::string> dangling(const std::vector<std::string>& list,
                                  const std::set<std::string>& names) {
    std::vector<std::string> out;
    for (const auto& n : list)
        if (!names.count(folded(n)) && n.find_first_not_of("0123456789") != std::string::npos)
            out.push_back(n);
    return out;
}

// Is `part` `whole` with entries left out, in order?
bool in_order(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    size_t j = 0;
    for (const auto& p : part) {
        while (j < whole.size() && whole[j] != p) ++j;
        if (j++ >= whole.size()) return false;
    }
    return true;
}

// Changes records the way the editors do and says what each must read back as.
class EditorStyleSets {
  public:
    EditorStyleSets(unsigned seed, const Formats& formats) : rng_(seed), formats_(formats) {}

    // Definitions whose lists were reshaped: their formats move with their
    // entries.
    std::set<std::string> reshaped;

    // Sets about half the definitions of every kind; `expected` gets the
    // dump each must show from now on.
    void run(Snapshot& expected) {
        expected_ = &expected;
        variables(kEc, false);
        variables(kSv, true);
        variables(kDv, false);
        each(kCe, [&](const std::string&, TCE_INFO& r, Edits& e) {
            r.ceed = pick(0, 1);
            ids(e, r.rpid_count, r.rpids, 1023, true);
            return false;
        });
        each(kRp, [&](const std::string&, TRP_INFO& r, Edits& e) {
            ids(e, r.vid_count, r.vids, 32, true);
            return false;
        });
        each(kAl, [&](const std::string&, TAL_INFO& r, Edits&) {
            replace(r.altx);
            r.alcd = static_cast<uint8_t>(pick(0, 255));
            r.aled = pick(0, 1);
            return false;
        });
        each(kPp, [&](const std::string& key, TPP_INFO& r, Edits& e) {
            bool refused = retext(r.ppbody, form_at(key, 1));
            r.ppbody_length = static_cast<int32_t>(std::strlen(r.ppbody));
            // The item size of a changed body follows rules of its own (the
            // merge keeps a written maximum); here it has to survive.
            if (!refused)
                e.to_expected.push_back([&r] {
                    TPP_INFO back;
                    ASSERT_EQ(GemGetPpInfo(0, r.ppid, &back), 0);
                    r.ppbody_length = back.ppbody_length;
                    ZorFreeTPP_INFO(&back);
                });
            return refused;
        });
        each(kFp, [&](const std::string& key, TFPP_INFO& r, Edits& e) {
            replace(r.mdln);
            if (pick(0, 1)) {
                // Texts typed over the shown codes and parameters, in place.
                bool refused = false;
                size_t at = 1;  // the formats: PPID, then each code and its parameters
                // A code is its text or its parameters: one of them changes.
                for (int32_t i = 0; i < r.ccode_count; ++i) {
                    TFPP_CCODE* c = r.ccodes[i];
                    const bool code_text = i < 4 && pick(0, 2) == 0;
                    if (code_text) refused |= retext(c->ccode, form_at(key, at));
                    ++at;
                    for (int32_t j = 0; j < c->pparam_count; ++j, ++at)
                        if (!code_text && i < 4 && j < 4 && pick(0, 2) == 0)
                            refused |= retext(c->pparams[j]->pparam, form_at(key, at));
                }
                // An entry typed to the text of another is that one as far
                // as anyone can tell: its format may follow it.
                std::vector<std::string> codes;
                for (int32_t i = 0; i < r.ccode_count; ++i) {
                    const TFPP_CCODE* c = r.ccodes[i];
                    codes.push_back(c->ccode ? c->ccode : "");
                    std::vector<std::string> params;
                    for (int32_t j = 0; j < c->pparam_count; ++j)
                        params.push_back(c->pparams[j]->pparam ? c->pparams[j]->pparam : "");
                    if (repeats(params)) reshaped.insert(key);
                }
                if (repeats(codes)) reshaped.insert(key);
                return refused;
            }
            reshaped.insert(key);
            // Only the shown codes show their parameters.
            for (int32_t i = 0; i < std::min<int32_t>(r.ccode_count, 4); ++i)
                may_refuse_ |= records(e, r.ccodes[i]->pparam_count, r.ccodes[i]->pparams, 4);
            records(e, r.ccode_count, r.ccodes, 4);
            return false;
        });
        each(kRc, [&](const std::string& key, TRCP_INFO& r, Edits& e) {
            replace(r.rcpbody);
            if (pick(0, 1)) {
                bool refused = false;
                for (int32_t i = 0; i < std::min<int32_t>(r.param_count, 6); ++i)
                    if (r.params[i]->value && pick(0, 1))
                        refused |= retext(r.params[i]->value, form_at(key, static_cast<size_t>(i)));
                std::vector<std::string> params;
                for (int32_t i = 0; i < r.param_count; ++i)
                    params.push_back(std::string(r.params[i]->name ? r.params[i]->name : "") +
                                     '\0' + (r.params[i]->value ? r.params[i]->value : "-"));
                if (repeats(params)) reshaped.insert(key);
                return refused;
            }
            reshaped.insert(key);
            may_refuse_ |= records(e, r.param_count, r.params, 6);
            return false;
        });
        each(kTr, [&](const std::string&, TTRACE_INFO& r, Edits& e) {
            replace(r.dsper);
            r.totsmp = pick(1, 99);
            r.repgsz = pick(1, 9);
            ids(e, r.svid_count, r.svids, 32, true);
            // The same ID in other letters is the same trace.
            bool refused = false;
            if (pick(0, 1)) {
                std::string other = r.trid;
                for (char& c : other)
                    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
                refused = holds_values(r.trid_format) && other != r.trid;
                set_text(r.trid, other.c_str());
            }
            return refused;
        });
        spools();
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    static bool repeats(std::vector<std::string> texts) {
        std::sort(texts.begin(), texts.end());
        return std::adjacent_find(texts.begin(), texts.end()) != texts.end();
    }

    int form_at(const std::string& key, size_t i) const {
        auto it = formats_.find(key);
        return it != formats_.end() && i < it->second.size() ? it->second[i] : ZOR_FMT_A;
    }

    static void set_text(char*& slot, const char* t) {
        ZorFreeMem(slot);
        slot = static_cast<char*>(ZorAllocMem(static_cast<int>(std::strlen(t)) + 1));
        std::strcpy(slot, t);
    }

    // A new text in the record's own kind of block, the old one freed.
    void replace(char*& slot) {
        static const char* const texts[] = {"a",    "say \"hi\"", "a // b",   "tab\tx",
                                            "a, b", "\\\\",       "\x95\x5c", "\\x41",
                                            "",     "{x}",        "1 .. 2",   "\x82\xa0"};
        set_text(slot, texts[pick(0, 11)]);
    }

    // A text typed over an item of format `form`: a number every format
    // that holds values reads, or a text none of them does. True when the
    // set must refuse it.
    bool retext(char*& slot, int form) {
        if (pick(0, 1)) {
            static const char* const numbers[] = {"1", "7", "0", " 12 "};
            set_text(slot, numbers[pick(0, 3)]);
            return false;
        }
        const std::string before = slot ? slot : "";
        replace(slot);
        return holds_values(form) && before != slot;
    }

    // Settings of streams 1 to 3 changed, removed one by one, or all removed
    // first (the editor's 全登録の削除).
    void spools() {
        if (pick(0, 3) == 0) {
            ASSERT_EQ(GemResetAllSpoolInfo(0), 0);
            for (auto it = expected_->begin(); it != expected_->end();)
                it = it->first.rfind("SP ", 0) == 0 ? expected_->erase(it) : std::next(it);
        }
        for (int stream = 1; stream <= 3; ++stream) {
            const std::string key = "SP " + std::to_string(stream);
            switch (pick(0, 3)) {
                case 0: break;
                case 1:
                    GemResetSpoolInfo(0, stream);
                    expected_->erase(key);
                    break;
                default: {
                    int32_t functions[5];
                    int n = pick(0, 5);
                    for (int i = 0; i < n; ++i) functions[i] = pick(0, 600);
                    ASSERT_EQ(GemSetSpoolInfo(0, stream, n, functions), 0);
                    for (int i = 0; i < n; ++i) functions[i] &= 0xff;
                    if (n > 0)
                        (*expected_)[key] = ids_text(functions, n);
                    else
                        expected_->erase(key);
                }
            }
        }
    }

    // An ID list: the editor sends the first `cap` entries, one perhaps
    // taking the value of another entry (a hidden one too) or a random ID,
    // one perhaps inserted, one perhaps dropped (grids are packed). Back come
    // the sent entries and then every entry past the cap.
    void ids(Edits& e, int32_t& count, int32_t* array, int32_t cap, bool may_drop) {
        const int32_t all = count;
        if (all == 0) return;
        const Ids original(array, array + all);
        Ids sent(original.begin(), original.begin() + std::min(all, cap));
        auto some_id = [&] {
            return pick(0, 1) ? original[static_cast<size_t>(pick(0, all - 1))]
                              : (pick(0, 1) ? 1000 + pick(0, 6) : pick(0, 77));
        };
        if (!sent.empty() && pick(0, 2) > 0)
            sent[static_cast<size_t>(pick(0, static_cast<int>(sent.size()) - 1))] = some_id();
        // The record's array has room for what it held: an insert only
        // where the editor shows every entry, one dropped to make room.
        if (all <= cap && pick(0, 2) == 0) {
            sent.erase(sent.begin() + pick(0, static_cast<int>(sent.size()) - 1));
            sent.insert(sent.begin() + pick(0, static_cast<int>(sent.size())), some_id());
        }
        if (may_drop && !sent.empty() && pick(0, 3) == 0)
            sent.erase(sent.begin() + pick(0, static_cast<int>(sent.size()) - 1));
        Ids expected = sent;
        if (all > cap) expected.insert(expected.end(), original.begin() + cap, original.end());
        auto put = [&count, array](const Ids& v) {
            std::copy(v.begin(), v.end(), array);
            count = static_cast<int32_t>(v.size());
        };
        e.to_sent.push_back([put, sent] { put(sent); });
        e.to_expected.push_back([put, expected] { put(expected); });
        e.restore.push_back([put, original] { put(original); });
    }

    // A list of records (limits, command codes, parameters): the same, one
    // entry perhaps replaced by another one (a hidden one too). True when one
    // was: its text is then typed over another place, whose format may not
    // hold it.
    template <class T>
    bool records(Edits& e, int32_t& count, T** array, int32_t cap) {
        const int32_t all = count;
        if (all == 0) return false;
        const std::vector<T*> original(array, array + all);
        std::vector<T*> sent(original.begin(), original.begin() + std::min(all, cap));
        bool replaced = false;
        if (pick(0, 2) > 0) {
            const auto at = static_cast<size_t>(pick(0, static_cast<int>(sent.size()) - 1));
            const auto from = static_cast<size_t>(pick(0, all - 1));
            sent[at] = original[from];
            replaced = at != from;
        }
        std::vector<T*> expected = sent;
        if (all > cap) expected.insert(expected.end(), original.begin() + cap, original.end());
        auto put = [&count, array](const std::vector<T*>& v) {
            std::copy(v.begin(), v.end(), array);
            count = static_cast<int32_t>(v.size());
        };
        e.to_sent.push_back([put, sent] { put(sent); });
        e.to_expected.push_back([put, expected] { put(expected); });
        e.restore.push_back([put, original] { put(original); });
        return replaced;
    }

    // `change` edits the record and says whether the set must refuse it;
    // a refused set changes nothing.
    template <class Rec, class Key, class List, class Change>
    void each(const KindCalls<Rec, Key, List>& k, Change change) {
        for_each_record(k, [&](const std::string& key, Rec& r) {
            if (pick(0, 1)) return;
            SCOPED_TRACE(key);
            Edits e;
            may_refuse_ = false;
            const bool refused = change(key, r, e);
            Edits::run(e.to_sent);
            const int result = k.set(0, &r);
            if (refused || (may_refuse_ && result != 0)) {
                EXPECT_EQ(result, ZOR_E_FAIL) << dump(r);
                EXPECT_NE(last_error().find("is no value of its format"), std::string::npos)
                    << last_error();
            } else {
                EXPECT_EQ(result, 0) << last_error() << "\n" << dump(r);
                Edits::run(e.to_expected);
                (*expected_)[key] = dump(r);
            }
            // Inner lists first: restore in reverse order of the edits.
            std::reverse(e.restore.begin(), e.restore.end());
            Edits::run(e.restore);
        });
    }

    void variables(const KindCalls<TV_INFO, int32_t, TBIN_DLIST>& k, bool sv) {
        each(k, [&, sv](const std::string&, TV_INFO& r, Edits& e) {
            replace(r.units);
            if (r.format == 0) {
                // Every VID of a list is shown; the count is the nominal, so
                // none is dropped here.
                if (r.item_count > 0)
                    ids(e, r.item_count, r.items.list->vids, ZOR_MAX_LIST_VIDS, false);
            } else {
                records(e, r.item_count, r.items.limits, 4);
                // A number typed over the nominal of a format that holds values.
                const int unit = zor_get_item_unit_size(r.format);
                if (holds_values(r.format) && unit > 0 && pick(0, 1)) {
                    const int n = std::max(r.size, 1);
                    void* value = ZorAllocMem(unit * n);
                    const int32_t seven = 7;
                    const float f4 = 7.5f;
                    const double f8 = 7.25;
                    const void* one = r.format == ZOR_FMT_F4   ? static_cast<const void*>(&f4)
                                      : r.format == ZOR_FMT_F8 ? static_cast<const void*>(&f8)
                                                               : &seven;
                    EXPECT_GT(zor_set_vdval(value, one, r.format, n, n), 0);
                    ZorFreeMem(r.nominal);
                    r.nominal = value;
                }
            }
            // EC and DV editors show no CEIDs and send none: the events stay.
            ids(e, r.ceid_count, r.ceids, sv ? 3 : 0, sv);
            return false;
        });
    }

    std::mt19937 rng_;
    const Formats& formats_;
    bool may_refuse_ = false;
    Snapshot* expected_ = nullptr;
};

// Reads an object file the library wrote the source of.
Equipment equipment_of(const std::string& fil) {
    Equipment eq;
    std::string error;
    EXPECT_TRUE(read_fil(fil, eq, error)) << error;
    return eq;
}

TEST(SetProperty, EditorStyleSetsKeepWhatWasSetAndEverythingElse) {
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::string dir = scratch_dir("prop" + std::to_string(seed));
        const std::string plain = SourceGenerator(seed, 40).source();
        CompileResult first = compile(dir, seed % 3 == 0 ? plain : hostile_layout(plain, seed));
        if (!first.ran) FAIL() << "ZorCompile not found at " << compiler_path();
        ASSERT_EQ(first.errors, 0) << first.output;
        std::string error;
        ASSERT_GE(load_fil(dir, first.fil, &error), 0) << error;
        const std::string source = dir + "/eq.txt";
        if (seed % 2) {
            ASSERT_EQ(ZorCompareEqInfo(source.c_str()), 1);
        }
        const Equipment before = equipment_of(first.fil);
        const Formats formats = formats_of(before);
        Snapshot expected = snapshot();
        EditorStyleSets sets(seed, formats);
        sets.run(expected);
        if (HasFailure()) return;
        ASSERT_TRUE(same(snapshot(), expected)) << "in the session";
        ASSERT_EQ(ZorWriteEqInfo(source.c_str()), 0) << last_error();
        EXPECT_EQ(ZorGetWriteWay(), ZOR_WRITE_EDITED);
        CompileResult second = compile(dir, read_file(source), "back");
        ASSERT_EQ(second.errors, 0) << second.output;
        ASSERT_GE(load_fil(dir, second.fil, &error), 0) << error;
        ASSERT_TRUE(same(snapshot(), expected)) << "after write, compile and reload";

        const Equipment after = equipment_of(second.fil);
        for (const auto& [key, forms] : formats_of(after))
            if (!sets.reshaped.count(key) && formats.count(key)) {
                EXPECT_EQ(forms, formats.at(key)) << key;
            }
        std::set<std::string> names_before, names_after;
        const Links links_before = links_of(before, names_before);
        for (const auto& [key, list] : links_of(after, names_after)) {
            auto held = links_before.find(key);
            if (held == links_before.end()) continue;
            EXPECT_TRUE(
                in_order(dangling(list, names_before), dangling(held->second, names_before)))
                << key << ": names that name nothing changed their order";
        }
        if (HasFailure()) return;
        if (!std::getenv("ZOREDIT_KEEP")) std::filesystem::remove_all(dir);
    }
}

}  // namespace
}  // namespace zor::edit::test
