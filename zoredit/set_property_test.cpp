// Editor-style sets on generated equipments: random changes to records of
// every kind, each list sent back only as far as its editor shows it, then
// write, compile and reload. Every changed record reads back as it was set
// (with every entry past its editor's cap behind it, in order), and every
// record nobody touched reads back as it was first loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

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
            key = list->ids[i];
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

// Changes records the way the editors do and says what each must read back as.
class EditorStyleSets {
  public:
    explicit EditorStyleSets(unsigned seed) : rng_(seed) {}

    // Sets about half the definitions of every kind; `expected` gets the
    // dump each must show from now on.
    void run(Snapshot& expected) {
        expected_ = &expected;
        variables(kEc, false);
        variables(kSv, true);
        variables(kDv, false);
        each(kCe, [&](TCE_INFO& r, Edits& e) {
            r.ceed = pick(0, 1);
            ids(e, r.rpid_count, r.rpids, 1023, true);
        });
        each(kRp, [&](TRP_INFO& r, Edits& e) { ids(e, r.vid_count, r.vids, 32, true); });
        each(kAl, [&](TAL_INFO& r, Edits&) {
            replace(r.altx);
            r.alcd = static_cast<uint8_t>(pick(0, 255));
            r.aled = pick(0, 1);
        });
        each(kPp, [&](TPP_INFO& r, Edits& e) {
            replace(r.ppbody);
            r.ppbody_length = static_cast<int32_t>(std::strlen(r.ppbody));
            // The item size of a changed body follows rules of its own (the
            // merge keeps a written maximum); here it has to survive.
            e.to_expected.push_back([&r] {
                TPP_INFO back;
                ASSERT_EQ(GemGetPpInfo(0, r.ppid, &back), 0);
                r.ppbody_length = back.ppbody_length;
                ZorFreeTPP_INFO(&back);
            });
        });
        each(kFp, [&](TFPP_INFO& r, Edits& e) {
            replace(r.mdln);
            // Only the shown codes show their parameters.
            for (int32_t i = 0; i < std::min<int32_t>(r.ccode_count, 4); ++i)
                records(e, r.ccodes[i]->pparam_count, r.ccodes[i]->pparams, 4);
            records(e, r.ccode_count, r.ccodes, 4);
        });
        each(kRc, [&](TRCP_INFO& r, Edits& e) {
            replace(r.rcpbody);
            records(e, r.param_count, r.params, 6);
        });
        each(kTr, [&](TTRACE_INFO& r, Edits& e) {
            replace(r.dsper);
            r.totsmp = pick(1, 99);
            r.repgsz = pick(1, 9);
            ids(e, r.svid_count, r.svids, 32, true);
        });
        for (int stream = 1; stream <= 3; ++stream) {
            if (pick(0, 1)) continue;
            int32_t functions[5];
            int n = pick(0, 5);
            for (int i = 0; i < n; ++i) functions[i] = pick(0, 600);
            ASSERT_EQ(GemSetSpoolInfo(0, stream, n, functions), 0);
            for (int i = 0; i < n; ++i) functions[i] &= 0xff;
            std::string key = "SP " + std::to_string(stream);
            if (n > 0)
                (*expected_)[key] = ids_text(functions, n);
            else
                expected_->erase(key);
        }
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // A new text in the record's own kind of block, the old one freed.
    void replace(char*& slot) {
        static const char* const texts[] = {"a",    "say \"hi\"", "a // b",   "tab\tx",
                                            "a, b", "\\\\",       "\x95\x5c", "\\x41",
                                            "",     "{x}",        "1 .. 2",   "\x82\xa0"};
        const char* t = texts[pick(0, 11)];
        ZorFreeMem(slot);
        slot = static_cast<char*>(ZorAllocMem(static_cast<int>(std::strlen(t)) + 1));
        std::strcpy(slot, t);
    }

    // An ID list: the editor sends the first `cap` entries, one perhaps
    // taking the value of another entry (a hidden one too) or a random ID,
    // one perhaps dropped (grids are packed). Back come the sent entries and
    // then every entry past the cap.
    void ids(Edits& e, int32_t& count, int32_t* array, int32_t cap, bool may_drop) {
        const int32_t all = count;
        if (all == 0) return;
        const Ids original(array, array + all);
        Ids sent(original.begin(), original.begin() + std::min(all, cap));
        if (!sent.empty() && pick(0, 2) > 0)
            sent[static_cast<size_t>(pick(0, static_cast<int>(sent.size()) - 1))] =
                pick(0, 1) ? original[static_cast<size_t>(pick(0, all - 1))]
                           : (pick(0, 1) ? 1000 + pick(0, 6) : pick(0, 77));
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
    // entry perhaps replaced by another one (a hidden one too).
    template <class T>
    void records(Edits& e, int32_t& count, T** array, int32_t cap) {
        const int32_t all = count;
        if (all == 0) return;
        const std::vector<T*> original(array, array + all);
        std::vector<T*> sent(original.begin(), original.begin() + std::min(all, cap));
        if (pick(0, 2) > 0)
            sent[static_cast<size_t>(pick(0, static_cast<int>(sent.size()) - 1))] =
                original[static_cast<size_t>(pick(0, all - 1))];
        std::vector<T*> expected = sent;
        if (all > cap) expected.insert(expected.end(), original.begin() + cap, original.end());
        auto put = [&count, array](const std::vector<T*>& v) {
            std::copy(v.begin(), v.end(), array);
            count = static_cast<int32_t>(v.size());
        };
        e.to_sent.push_back([put, sent] { put(sent); });
        e.to_expected.push_back([put, expected] { put(expected); });
        e.restore.push_back([put, original] { put(original); });
    }

    template <class Rec, class Key, class List, class Change>
    void each(const KindCalls<Rec, Key, List>& k, Change change) {
        for_each_record(k, [&](const std::string& key, Rec& r) {
            if (pick(0, 1)) return;
            SCOPED_TRACE(key);
            Edits e;
            change(r, e);
            Edits::run(e.to_sent);
            EXPECT_EQ(k.set(0, &r), 0) << last_error();
            Edits::run(e.to_expected);
            (*expected_)[key] = dump(r);
            // Inner lists first: restore in reverse order of the edits.
            std::reverse(e.restore.begin(), e.restore.end());
            Edits::run(e.restore);
        });
    }

    void variables(const KindCalls<TV_INFO, int32_t, TBIN_DLIST>& k, bool sv) {
        each(k, [&, sv](TV_INFO& r, Edits& e) {
            replace(r.units);
            if (r.format == 0) {
                // Every VID of a list is shown; the count is the nominal, so
                // none is dropped here.
                if (r.item_count > 0)
                    ids(e, r.item_count, r.items.list->vids, ZOR_MAX_LIST_VIDS, false);
            } else {
                records(e, r.item_count, r.items.limits, 4);
            }
            // EC and DV editors show no CEIDs and send none: the events stay.
            ids(e, r.ceid_count, r.ceids, sv ? 3 : 0, sv);
        });
    }

    std::mt19937 rng_;
    Snapshot* expected_ = nullptr;
};

TEST(SetProperty, EditorStyleSetsKeepWhatWasSetAndEverythingElse) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::string dir = scratch_dir("prop" + std::to_string(seed));
        CompileResult first = compile(dir, SourceGenerator(seed, 40).source());
        if (!first.ran) FAIL() << "ZorCompile not found at " << compiler_path();
        ASSERT_EQ(first.errors, 0) << first.output;
        std::string error;
        ASSERT_GE(load_fil(dir, first.fil, &error), 0) << error;
        Snapshot expected = snapshot();
        EditorStyleSets(seed).run(expected);
        if (HasFailure()) return;
        ASSERT_TRUE(same(snapshot(), expected)) << "in the session";
        ASSERT_EQ(ZorWriteEqInfo((dir + "/back.txt").c_str()), 0) << last_error();
        CompileResult second = compile(dir, read_file(dir + "/back.txt"), "back");
        ASSERT_EQ(second.errors, 0) << second.output;
        ASSERT_GE(load_fil(dir, second.fil, &error), 0) << error;
        ASSERT_TRUE(same(snapshot(), expected)) << "after write, compile and reload";
        if (!std::getenv("ZOREDIT_KEEP")) std::filesystem::remove_all(dir);
    }
}

}  // namespace
}  // namespace zor::edit::test
