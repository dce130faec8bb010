// Texts a set takes, through the C interface: one that ends inside an escape
// is refused naming its field, and every text the writer writes comes back
// unchanged through compile and load.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "zoredit/test_support.h"
#include "zoredit/testing/fil_writer.h"
#include "zoredit/zoredit.h"

namespace zor::edit {
namespace {

// Each would take the line end or the closing quote with it.
const char* const kOpenEscapes[] = {"end\\", "a\\x4", "\\x", "\x95\x5c\\", "ok\\\\\\"};
// Whole escapes, and a Shift-JIS character whose second byte is 0x5C.
const char* const kWholeEscapes[] = {"a\\\\", "\x95\x5c", "\\x41", "tab\\t", "\\\"q\\\""};

struct Field {
    const char* what;
    std::function<void(const char*)> put;
};

// How many definitions of the kind are held.
template <class List>
int held_count(int (*list_fn)(int, List**)) {
    List* list = nullptr;
    int n = list_fn(0, &list);
    if (list) n = list->count;
    if constexpr (std::is_same_v<List, TBIN_DLIST>)
        ZorFreeTBIN_DLIST(list);
    else
        ZorFreeTTEXT_DLIST(list);
    return n;
}

// Puts each open escape into each field in turn: the set fails naming the
// field and adds nothing; with whole escapes everywhere it succeeds.
template <class Rec, class List>
void expect_fields_checked(Rec& r, int (*set)(int, const Rec*), int (*list_fn)(int, List**),
                           const std::vector<Field>& fields) {
    for (const Field& f : fields) f.put("x");
    for (const Field& f : fields) {
        for (const char* bad : kOpenEscapes) {
            SCOPED_TRACE(std::string(f.what) + " = " + bad);
            f.put(bad);
            EXPECT_LT(set(0, &r), 0);
            EXPECT_EQ(test::last_error(),
                      std::string(f.what) + " ends inside an escape (a lone \\ or \\x at its end)");
            f.put("x");
        }
    }
    EXPECT_EQ(held_count(list_fn), 0);
    for (const char* good : kWholeEscapes) {
        SCOPED_TRACE(good);
        for (const Field& f : fields) f.put(good);
        EXPECT_EQ(set(0, &r), 0) << test::last_error();
    }
}

class TextChecks : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string dir = test::scratch_dir("texts");
        std::string error;
        ASSERT_GE(test::load_fil(dir, write_fil(Equipment{}), &error), 0) << error;
    }
    void TearDown() override { GemTerminateLibrary(); }

    // A set only reads a record's texts: blocks of this fixture stand in for
    // the caller's.
    template <class Slot>
    std::function<void(const char*)> into(Slot& where) {
        std::string& storage = storage_.emplace_back();
        return [&storage, &where](const char* t) {
            storage = t;
            where = storage.data();
        };
    }
    std::deque<std::string> storage_;
};

TEST_F(TextChecks, ATextEndingInsideAnEscapeIsRefusedNamingItsField) {
    TV_INFO v{};
    v.vid = 1;
    v.format = 16;
    v.size = 1;
    TV_LIMIT limit{};
    TV_LIMIT* limits[] = {&limit};
    v.item_count = 1;
    v.items.limits = limits;
    expect_fields_checked(v, GemSetSvInfo, GemGetSvList,
                          {{"name", into(v.name)},
                           {"units", into(v.units)},
                           {"min", into(v.min)},
                           {"max", into(v.max)},
                           {"nominal", into(v.nominal)},
                           {"limit low", into(limit.low)},
                           {"limit upper", into(limit.upper)}});

    TCE_INFO ce{};
    ce.ceid = 3;
    expect_fields_checked(ce, GemSetCeInfo, GemGetCeList, {{"name", into(ce.name)}});
    TRP_INFO rp{};
    rp.rpid = 4;
    expect_fields_checked(rp, GemSetRpInfo, GemGetRpList, {{"name", into(rp.name)}});
    TAL_INFO al{};
    al.alid = 2;
    expect_fields_checked(al, GemSetAlInfo, GemGetAlList,
                          {{"name", into(al.name)}, {"ALTX", into(al.altx)}});

    TPP_INFO pp{};
    pp.ppid_format = pp.ppbody_format = 16;
    expect_fields_checked(
        pp, GemSetPpInfo, GemGetPpList,
        {{"name", into(pp.name)}, {"PPID", into(pp.ppid)}, {"PPBODY", into(pp.ppbody)}});

    TFPP_PPARAM param{};
    TFPP_PPARAM* params[] = {&param};
    TFPP_CCODE code{};
    code.pparam_count = 1;
    code.pparams = params;
    TFPP_CCODE* codes[] = {&code};
    TFPP_INFO fp{};
    fp.ccode_count = 1;
    fp.ccodes = codes;
    expect_fields_checked(fp, GemSetFppInfo, GemGetFppList,
                          {{"name", into(fp.name)},
                           {"PPID", into(fp.ppid)},
                           {"MDLN", into(fp.mdln)},
                           {"SOFTREV", into(fp.softrev)},
                           {"CCODE", into(code.ccode)},
                           {"PPARAM", into(param.pparam)}});

    TRCP_PARAM rcp_param{};
    TRCP_PARAM* rcp_params[] = {&rcp_param};
    TRCP_INFO rc{};
    rc.param_count = 1;
    rc.params = rcp_params;
    expect_fields_checked(rc, GemSetRcpInfo, GemGetRcpList,
                          {{"name", into(rc.name)},
                           {"RCPID", into(rc.rcpid)},
                           {"RCPBODY", into(rc.rcpbody)},
                           {"parameter name", into(rcp_param.name)},
                           {"parameter value", into(rcp_param.value)}});

    TTRACE_INFO tr{};
    tr.trid_format = 16;
    expect_fields_checked(
        tr, GemSetTrInfo, GemGetTrList,
        {{"name", into(tr.name)}, {"TRID", into(tr.trid)}, {"DSPER", into(tr.dsper)}});
}

// Texts full of what a source line treats specially.
const char* const kHardTexts[] = {"say \"hi\"",
                                  "a // not a comment",
                                  "tab\there",
                                  "a, b, c",
                                  "pair \\\\ end\\\\",
                                  "\x95\x5c\x8e\xa6",
                                  "\\x41\\t\\\" done",
                                  "x: {y} [z] .. +1",
                                  "\"quoted\"",
                                  " blanks around ",
                                  "-",
                                  "\x95\x5c\\\\"};

// Every text field of every kind, for the text of index i.
struct Texted {
    std::string units, min, max, nominal, low, upper, altx, body, mdln, softrev, code, param,
        rcp_body, rcp_name, rcp_value, dsper;
    bool operator==(const Texted&) const = default;
};

Texted read_back(int i) {
    Texted t;
    const std::string id = "T" + std::to_string(i);
    TV_INFO v;
    EXPECT_EQ(GemGetSvInfo(0, i + 1, &v), 0);
    if (v.name) {
        t.units = v.units;
        t.min = static_cast<char*>(v.min);
        t.max = static_cast<char*>(v.max);
        t.nominal = static_cast<char*>(v.nominal);
        t.low = static_cast<char*>(v.items.limits[0]->low);
        t.upper = static_cast<char*>(v.items.limits[0]->upper);
    }
    ZorFreeTV_INFO(&v);
    TAL_INFO a;
    EXPECT_EQ(GemGetAlInfo(0, i + 1, &a), 0);
    if (a.altx) t.altx = a.altx;
    ZorFreeTAL_INFO(&a);
    TPP_INFO pp;
    EXPECT_EQ(GemGetPpInfo(0, id.c_str(), &pp), 0);
    if (pp.ppbody) t.body = pp.ppbody;
    ZorFreeTPP_INFO(&pp);
    TFPP_INFO fp;
    EXPECT_EQ(GemGetFppInfo(0, id.c_str(), &fp), 0);
    if (fp.ccode_count == 1) {
        t.mdln = fp.mdln;
        t.softrev = fp.softrev;
        t.code = fp.ccodes[0]->ccode;
        t.param = fp.ccodes[0]->pparams[0]->pparam;
    }
    ZorFreeTFPP_INFO(&fp);
    TRCP_INFO rc;
    EXPECT_EQ(GemGetRcpInfo(0, id.c_str(), &rc), 0);
    if (rc.param_count == 1) {
        t.rcp_body = rc.rcpbody;
        t.rcp_name = rc.params[0]->name;
        t.rcp_value = rc.params[0]->value;
    }
    ZorFreeTRCP_INFO(&rc);
    TTRACE_INFO tr;
    EXPECT_EQ(GemGetTrInfo(0, id.c_str(), &tr), 0);
    if (tr.dsper) t.dsper = tr.dsper;
    ZorFreeTTRACE_INFO(&tr);
    return t;
}

TEST_F(TextChecks, EveryTextTheWriterWritesComesBackThroughCompileAndLoad) {
    const int n = static_cast<int>(std::size(kHardTexts));
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(kHardTexts[i]);
        char* text = const_cast<char*>(kHardTexts[i]);
        std::string name = "N" + std::to_string(i), id = "T" + std::to_string(i);
        TV_LIMIT limit{1, text, text};
        TV_LIMIT* limits[] = {&limit};
        TV_INFO v{};
        v.vid = i + 1;
        v.name = name.data();
        v.format = 16;
        v.size = 1;
        v.units = text;
        v.min = v.max = v.nominal = text;
        v.item_count = 1;
        v.items.limits = limits;
        ASSERT_EQ(GemSetSvInfo(0, &v), 0) << test::last_error();
        TAL_INFO a{};
        a.alid = i + 1;
        a.name = name.data();
        a.altx = text;
        ASSERT_EQ(GemSetAlInfo(0, &a), 0) << test::last_error();
        TPP_INFO pp{};
        pp.name = name.data();
        pp.ppid = id.data();
        pp.ppid_format = pp.ppbody_format = 16;
        pp.ppbody = text;
        ASSERT_EQ(GemSetPpInfo(0, &pp), 0) << test::last_error();
        TFPP_PPARAM param{{}, text};
        TFPP_PPARAM* params[] = {&param};
        TFPP_CCODE code{{}, text, 1, params};
        TFPP_CCODE* codes[] = {&code};
        TFPP_INFO fp{};
        fp.name = name.data();
        fp.ppid = id.data();
        fp.mdln = fp.softrev = text;
        fp.ccode_count = 1;
        fp.ccodes = codes;
        ASSERT_EQ(GemSetFppInfo(0, &fp), 0) << test::last_error();
        TRCP_PARAM rcp_param{text, {}, text};
        TRCP_PARAM* rcp_params[] = {&rcp_param};
        TRCP_INFO rc{};
        rc.name = name.data();
        rc.rcpid = id.data();
        rc.rcpbody = text;
        rc.param_count = 1;
        rc.params = rcp_params;
        ASSERT_EQ(GemSetRcpInfo(0, &rc), 0) << test::last_error();
        TTRACE_INFO tr{};
        tr.name = name.data();
        tr.trid = id.data();
        tr.trid_format = 16;
        tr.dsper = text;
        ASSERT_EQ(GemSetTrInfo(0, &tr), 0) << test::last_error();
    }
    std::vector<Texted> set;
    for (int i = 0; i < n; ++i) set.push_back(read_back(i));
    for (int i = 0; i < n; ++i) {
        const std::string t = kHardTexts[i];
        EXPECT_EQ(set[i], (Texted{t, t, t, t, t, t, t, t, t, t, t, t, t, t, t, t})) << t;
    }

    std::string dir = test::scratch_dir("texts_back");
    ASSERT_EQ(ZorWriteEqInfo((dir + "/eq.txt").c_str()), 0) << test::last_error();
    test::CompileResult compiled = test::compile(dir, test::read_file(dir + "/eq.txt"));
    if (!compiled.ran) FAIL() << "ZorCompile not found at " << test::compiler_path();
    ASSERT_EQ(compiled.errors, 0) << compiled.output;
    std::string error;
    ASSERT_GE(test::load_fil(dir, compiled.fil, &error), 0) << error;
    for (int i = 0; i < n; ++i) EXPECT_EQ(read_back(i), set[i]) << kHardTexts[i];
}

}  // namespace
}  // namespace zor::edit
