// Lists an editor shows only in part, through the C interface: what comes
// back may only take the place of shown entries, and every entry past what
// the editor shows survives, in order, in the session and after write,
// compile and reload.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "zoredit/test_support.h"
#include "zoredit/testing/fil_writer.h"
#include "zoredit/zoredit.h"

namespace zor::edit {
namespace {

using Texts = std::vector<std::string>;

// A link that names no definition but is a number stands for that ID.
Texts numbers(int from, int to) {
    Texts out;
    for (int i = from; i <= to; ++i) out.push_back(std::to_string(i));
    return out;
}

Texts prefixed(const std::string& prefix, int from, int to) {
    Texts out;
    for (const auto& n : numbers(from, to)) out.push_back(prefix + n);
    return out;
}

// Every list that goes through the merge, each one entry past its cap, the
// last entry a value a shown entry can take.
Equipment wide_equipment() {
    Equipment eq;
    for (int i = 11; i <= 14; ++i) eq.ce.push_back({"CE_" + std::to_string(i), i, {}, {}});
    Variable sv;
    sv.name = "SV_W";
    sv.id = 7;
    sv.form = 44;
    sv.size = 1;
    for (int i = 1; i <= 5; ++i)
        sv.limits.push_back(
            {std::to_string(i), std::to_string(i * 10), std::to_string(i * 10 + 5)});
    sv.events = {"CE_11", "CE_12", "CE_13", "CE_14"};
    eq.sv.push_back(sv);
    eq.rp.push_back({"RP_W", 200, numbers(1, 33)});
    Trace tr;
    tr.name = "TR_W";
    tr.trid = {"TRW", 16, 3, 3};
    tr.dsper = "00000100";
    tr.totsmp = 1;
    tr.repgsz = 1;
    tr.svs = numbers(1, 33);
    eq.tr.push_back(tr);
    FormattedProgram fp;
    fp.name = "FPP_W";
    fp.ppid = {"FW", 16, 2, 2};
    fp.mdln = "M";
    fp.softrev = "1";
    for (const auto& c : prefixed("C", 1, 5)) {
        CommandCode code;  // built in steps: GCC 12 -O3 misreads the nested braces
        code.code = TextItem{c, 16, 2, 2};
        code.params.push_back(TextItem{"p", 16, 1, 1});
        fp.codes.push_back(std::move(code));
    }
    fp.codes[0].params.clear();
    for (const auto& p : prefixed("p", 1, 5)) fp.codes[0].params.push_back({p, 16, 2, 2});
    eq.fp.push_back(fp);
    Recipe rc;
    rc.name = "RCP_W";
    rc.id = "RW";
    for (const auto& p : prefixed("P", 1, 7)) rc.params.push_back({p, std::nullopt});
    eq.rc.push_back(rc);
    return eq;
}

Texts ids_of(const int32_t* ids, int32_t count) {
    Texts out;
    for (int32_t i = 0; i < count; ++i) out.push_back(std::to_string(ids[i]));
    return out;
}

// Each list as its record shows it now.
Texts sv_ceids() {
    return test::read_record(GemGetSvInfo, 7, [](int rc, const TV_INFO& r) {
        EXPECT_EQ(rc, 0);
        return ids_of(r.ceids, r.ceid_count);
    });
}

Texts sv_limits() {
    return test::read_record(GemGetSvInfo, 7, [](int rc, const TV_INFO& r) {
        EXPECT_EQ(rc, 0);
        Texts out;
        for (int32_t i = 0; i < r.item_count; ++i) {
            const TV_LIMIT* l = r.items.limits[i];
            out.push_back(std::to_string(l->limit_id) + ":" +
                          std::to_string(*static_cast<uint32_t*>(l->low)) + ":" +
                          std::to_string(*static_cast<uint32_t*>(l->upper)));
        }
        return out;
    });
}

Texts report_vids() {
    return test::read_record(GemGetRpInfo, 200, [](int rc, const TRP_INFO& r) {
        EXPECT_EQ(rc, 0);
        return ids_of(r.vids, r.vid_count);
    });
}

Texts trace_svids() {
    return test::read_record(GemGetTrInfo, "TRW", [](int rc, const TTRACE_INFO& r) {
        EXPECT_EQ(rc, 0);
        return ids_of(r.svids, r.svid_count);
    });
}

Texts fpp_codes() {
    return test::read_record(GemGetFppInfo, "FW", [](int rc, const TFPP_INFO& r) {
        EXPECT_EQ(rc, 0);
        Texts out;
        for (int32_t i = 0; i < r.ccode_count; ++i) out.push_back(r.ccodes[i]->ccode);
        return out;
    });
}

Texts fpp_params() {
    return test::read_record(GemGetFppInfo, "FW", [](int rc, const TFPP_INFO& r) {
        EXPECT_EQ(rc, 0);
        Texts out;
        const TFPP_CCODE* c = r.ccodes[0];
        for (int32_t i = 0; i < c->pparam_count; ++i) out.push_back(c->pparams[i]->pparam);
        return out;
    });
}

Texts recipe_params() {
    return test::read_record(GemGetRcpInfo, "RW", [](int rc, const TRCP_INFO& r) {
        EXPECT_EQ(rc, 0);
        Texts out;
        for (int32_t i = 0; i < r.param_count; ++i) out.push_back(r.params[i]->name);
        return out;
    });
}

// Sends the first `cap` entries back as an editor does, the last shown one
// replaced by the first hidden one; everything else restored before the free.
template <class T>
void send_shown(int32_t& count, T* entries, int32_t cap, const std::function<int()>& set) {
    const int32_t all = count;
    const T last = entries[cap - 1];
    entries[cap - 1] = entries[cap];
    count = cap;
    EXPECT_EQ(set(), 0) << test::last_error();
    entries[cap - 1] = last;
    count = all;
}

struct Case {
    const char* list;
    std::function<void()> set_shown;
    std::function<Texts()> read;
    Texts expected;
};

Texts concat(Texts a, const Texts& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"SV CEIDs",
         [] {
             TV_INFO r;
             ASSERT_EQ(GemGetSvInfo(0, 7, &r), 0);
             send_shown(r.ceid_count, r.ceids, 3, [&] { return GemSetSvInfo(0, &r); });
             ZorFreeTV_INFO(&r);
         },
         sv_ceids, Texts{"11", "12", "14", "14"}},
        {"limits",
         [] {
             TV_INFO r;
             ASSERT_EQ(GemGetSvInfo(0, 7, &r), 0);
             send_shown(r.item_count, r.items.limits, 4, [&] { return GemSetSvInfo(0, &r); });
             ZorFreeTV_INFO(&r);
         },
         sv_limits, Texts{"1:10:15", "2:20:25", "3:30:35", "5:50:55", "5:50:55"}},
        {"report VIDs",
         [] {
             TRP_INFO r;
             ASSERT_EQ(GemGetRpInfo(0, 200, &r), 0);
             send_shown(r.vid_count, r.vids, 32, [&] { return GemSetRpInfo(0, &r); });
             ZorFreeTRP_INFO(&r);
         },
         report_vids, concat(numbers(1, 31), {"33", "33"})},
        {"trace SVIDs",
         [] {
             TTRACE_INFO r;
             ASSERT_EQ(GemGetTrInfo(0, "TRW", &r), 0);
             send_shown(r.svid_count, r.svids, 32, [&] { return GemSetTrInfo(0, &r); });
             ZorFreeTTRACE_INFO(&r);
         },
         trace_svids, concat(numbers(1, 31), {"33", "33"})},
        {"FPP command codes",
         [] {
             TFPP_INFO r;
             ASSERT_EQ(GemGetFppInfo(0, "FW", &r), 0);
             send_shown(r.ccode_count, r.ccodes, 4, [&] { return GemSetFppInfo(0, &r); });
             ZorFreeTFPP_INFO(&r);
         },
         fpp_codes, Texts{"C1", "C2", "C3", "C5", "C5"}},
        {"FPP parameters",
         [] {
             TFPP_INFO r;
             ASSERT_EQ(GemGetFppInfo(0, "FW", &r), 0);
             TFPP_CCODE* c = r.ccodes[0];
             send_shown(c->pparam_count, c->pparams, 4, [&] { return GemSetFppInfo(0, &r); });
             ZorFreeTFPP_INFO(&r);
         },
         fpp_params, Texts{"p1", "p2", "p3", "p5", "p5"}},
        {"recipe parameters",
         [] {
             TRCP_INFO r;
             ASSERT_EQ(GemGetRcpInfo(0, "RW", &r), 0);
             send_shown(r.param_count, r.params, 6, [&] { return GemSetRcpInfo(0, &r); });
             ZorFreeTRCP_INFO(&r);
         },
         recipe_params, Texts{"P1", "P2", "P3", "P4", "P5", "P7", "P7"}},
    };
    return all;
}

TEST(Merge, AShownEntryTakingAHiddenValueKeepsTheHiddenEntry) {
    std::string dir = test::scratch_dir("merge");
    std::string error;
    ASSERT_GE(test::load_fil(dir, write_fil(wide_equipment()), &error), 0) << error;
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.list);
        c.set_shown();
        EXPECT_EQ(c.read(), c.expected);
    }

    ASSERT_EQ(ZorWriteEqInfo((dir + "/out.txt").c_str()), 0) << test::last_error();
    test::CompileResult compiled = test::compile(dir, test::read_file(dir + "/out.txt"), "out");
    if (!compiled.ran) FAIL() << "ZorCompile not found at " << test::compiler_path();
    ASSERT_EQ(compiled.errors, 0) << compiled.output;
    GemTerminateLibrary();
    ASSERT_GE(test::load_fil(dir, compiled.fil, &error), 0) << error;
    for (const Case& c : cases()) {
        SCOPED_TRACE(std::string(c.list) + " after write, compile and reload");
        EXPECT_EQ(c.read(), c.expected);
    }
}

// Element names that name nothing all read as ID 0: an element inserted
// before them must leave them in their order, in the session and in what
// is written (the host reads the list in that order).
TEST(Merge, AnInsertKeepsTheOrderOfElementsThatNameNothing) {
    const std::string source =
        "def_sv X {\r\n    svid : 5\r\n    format : U4\r\n}\r\n"
        "def_dv D {\r\n    dvid : 1\r\n    format : L\r\n    nominal : 2\r\n"
        "    vid : V1\r\n    vid : V2\r\n}\r\n";
    std::string dir = test::scratch_dir("merge_order");
    test::CompileResult first = test::compile(dir, source);
    if (!first.ran) FAIL() << "ZorCompile not found at " << test::compiler_path();
    ASSERT_EQ(first.errors, 0) << first.output;
    std::string error;
    ASSERT_GE(test::load_fil(dir, first.fil, &error), 0) << error;
    ASSERT_EQ(ZorCompareEqInfo((dir + "/eq.txt").c_str()), 1);

    auto names = [] {
        return test::read_record(GemGetDvInfo, 1, [](int rc, const TV_INFO& r) {
            EXPECT_EQ(rc, 0);
            Texts out;
            for (int32_t i = 0; i < r.item_count; ++i) out.push_back(r.items.list->names[i]);
            return out;
        });
    };
    ASSERT_EQ(names(), (Texts{"V1", "V2"}));
    TV_INFO r;
    ASSERT_EQ(GemGetDvInfo(0, 1, &r), 0);
    TV_LIST* held = r.items.list;
    const int32_t held_count = r.item_count;
    int32_t vids[] = {5, 0, 0};
    TV_LIST sent{0, vids, nullptr};
    r.items.list = &sent;
    r.item_count = 3;
    EXPECT_EQ(GemSetDvInfo(0, &r), 0) << test::last_error();
    r.items.list = held;
    r.item_count = held_count;
    ZorFreeTV_INFO(&r);
    EXPECT_EQ(names(), (Texts{"X", "V1", "V2"}));

    ASSERT_EQ(ZorWriteEqInfo((dir + "/eq.txt").c_str()), 0) << test::last_error();
    test::CompileResult second = test::compile(dir, test::read_file(dir + "/eq.txt"), "back");
    ASSERT_EQ(second.errors, 0) << second.output;
    ASSERT_GE(test::load_fil(dir, second.fil, &error), 0) << error;
    EXPECT_EQ(names(), (Texts{"X", "V1", "V2"}));
}

}  // namespace
}  // namespace zor::edit
