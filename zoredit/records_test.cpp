// The records through the C interface: what a get shows, what a set keeps.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>

#include "zoredit/fil_reader.h"
#include "zoredit/test_support.h"
#include "zoredit/testing/fil_writer.h"
#include "zoredit/zoredit.h"

namespace zor::edit {
namespace {

char* text(const char* t) {
    char* copy = static_cast<char*>(ZorAllocMem(static_cast<int>(std::strlen(t)) + 1));
    std::strcpy(copy, t);
    return copy;
}

template <class T>
T* array(std::initializer_list<T> values) {
    T* a = static_cast<T*>(ZorAllocMem(static_cast<int>(values.size() * sizeof(T))));
    std::copy(values.begin(), values.end(), a);
    return a;
}

Equipment sample() {
    Equipment eq;
    Variable ec;
    ec.name = "EC_A";
    ec.id = 10;
    ec.form = 16;
    ec.size = 1;
    ec.msize = 32;
    ec.nominal = "hello";
    ec.events = {"CE_1"};
    eq.ec.push_back(ec);
    Variable sv;
    sv.name = "SV_T";
    sv.id = 20;
    sv.form = 44;
    sv.size = 1;
    sv.min = "0x10";
    sv.units = "C";
    for (int i = 1; i <= 5; ++i)
        sv.limits.push_back(
            {std::to_string(i), std::to_string(i * 10), std::to_string(i * 10 + 5)});
    sv.events = {"CE_1", "CE_GONE", "CE_2", "CE_1"};
    eq.sv.push_back(sv);
    Variable list;
    list.name = "SV_L";
    list.id = 21;
    list.form = 0;
    list.size = 1;
    list.nominal = "2";
    list.vids = {"EC_A", "NOWHERE"};
    eq.sv.push_back(list);
    eq.ce.push_back({"CE_1", 100, std::string("Disable"), {"RP_1", "RP_GONE"}});
    eq.ce.push_back({"CE_2", 101, std::nullopt, {}});
    eq.rp.push_back({"RP_1", 200, {"SV_T", "ec_a", "77"}});
    eq.al.push_back(
        {"AL_1", 300, "0x85", "Text", std::string("CE_1"), std::string("CE_LOST"), std::nullopt});
    eq.pp.push_back({"PP_1", {"PROG01", 17, 20, 20}, {"body", 16, 1, 100}});
    FormattedProgram fp;
    fp.name = "FPP_1";
    fp.ppid = {"F1", 16, 2, 40};
    fp.mdln = "M";
    fp.softrev = "1.0";
    for (int c = 1; c <= 5; ++c) {
        CommandCode code;  // built in steps: GCC 12 -O3 misreads the nested braces
        code.code = TextItem{"C" + std::to_string(c), 17, 2, 2};
        code.params.push_back(TextItem{"p", 44, 1, 1});
        fp.codes.push_back(std::move(code));
    }
    eq.fp.push_back(fp);
    Recipe rc;
    rc.name = "RCP_1";
    rc.id = "R1";
    rc.params.push_back({std::string("P1"), TextItem{"1.5", 36, 1, 0}});
    eq.rc.push_back(rc);
    Trace tr;
    tr.name = "TR_1";
    tr.trid = {"TRACE0001", 16, 4, 4};
    tr.dsper = "00000100";
    tr.totsmp = 10;
    tr.repgsz = 1;
    tr.svs = {"SV_T", "SV_GONE"};
    eq.tr.push_back(tr);
    eq.sp.push_back({"SP_6", 6, {11, 13}});
    return eq;
}

class Records : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = test::scratch_dir("records");
        std::string error;
        ASSERT_GE(test::load_fil(dir_, write_fil(sample()), &error), 0) << error;
    }
    // The source the library would write now.
    std::string source() {
        EXPECT_EQ(ZorWriteEqInfo((dir_ + "/out.txt").c_str()), 0) << test::last_error();
        return test::read_file(dir_ + "/out.txt");
    }
    std::string dir_;
};

TEST_F(Records, GetShowsTheVariableWithLinksAsIds) {
    TV_INFO r;
    ASSERT_EQ(GemGetSvInfo(0, 20, &r), 0);
    EXPECT_STREQ(r.name, "SV_T");
    EXPECT_EQ(r.format, 44);
    EXPECT_EQ(*static_cast<uint32_t*>(r.min), 16u);
    EXPECT_EQ(r.max, nullptr);
    EXPECT_STREQ(r.units, "C");
    ASSERT_EQ(r.item_count, 5);
    EXPECT_EQ(r.items.limits[4]->limit_id, 5);
    EXPECT_EQ(*static_cast<uint32_t*>(r.items.limits[4]->upper), 55u);
    ASSERT_EQ(r.ceid_count, 4);
    EXPECT_EQ(r.ceids[0], 100);
    EXPECT_EQ(r.ceids[1], 0);  // names no event
    EXPECT_EQ(r.ceids[2], 101);
    EXPECT_EQ(r.deleted, 0);
    ZorFreeTV_INFO(&r);
    EXPECT_EQ(r.name, nullptr);

    ASSERT_EQ(GemGetSvInfo(0, 21, &r), 0);
    ASSERT_EQ(r.item_count, 2);
    EXPECT_EQ(r.items.list->vids[0], 10);
    EXPECT_EQ(r.items.list->vids[1], 0);
    EXPECT_STREQ(r.items.list->names[1], "NOWHERE");
    ZorFreeTV_INFO(&r);
    EXPECT_EQ(GemGetSvInfo(0, 99, &r), ZOR_E_NOTFOUND);
    EXPECT_EQ(GemGetEcInfo(1, 10, &r), ZOR_E_FAIL);
}

// An editor that shows four limits and three CEIDs and sends them back
// unchanged must not lose the rest, nor the event that names nothing.
TEST_F(Records, UnchangedRecordsChangeNothing) {
    std::string before = source();
    for (int32_t id : {20, 21}) {
        TV_INFO r;
        ASSERT_EQ(GemGetSvInfo(0, id, &r), 0);
        const int32_t items = r.item_count, ceids = r.ceid_count;
        if (r.format != 0) {
            r.item_count = 4;
            r.ceid_count = 3;
        }
        ASSERT_EQ(GemSetSvInfo(0, &r), 0) << test::last_error();
        r.item_count = items;  // so that the free reaches every block
        r.ceid_count = ceids;
        ZorFreeTV_INFO(&r);
    }
    TV_INFO e;
    ASSERT_EQ(GemGetEcInfo(0, 10, &e), 0);
    ZorFreeMem(e.ceids);  // the variable editor sends no CEIDs for an EC
    e.ceids = nullptr;
    e.ceid_count = 0;
    e.size = 5;  // and sizes an A variable by its nominal
    ASSERT_EQ(GemSetEcInfo(0, &e), 0);
    ZorFreeTV_INFO(&e);
    TCE_INFO c;
    ASSERT_EQ(GemGetCeInfo(0, 100, &c), 0);
    EXPECT_EQ(c.ceed, 0);
    ASSERT_EQ(GemSetCeInfo(0, &c), 0);
    ZorFreeTCE_INFO(&c);
    TRP_INFO p;
    ASSERT_EQ(GemGetRpInfo(0, 200, &p), 0);
    EXPECT_EQ(p.vids[1], 10);  // "ec_a": names compare without regard to case
    EXPECT_EQ(p.vids[2], 77);  // a number names the ID
    ASSERT_EQ(GemSetRpInfo(0, &p), 0);
    ZorFreeTRP_INFO(&p);
    TAL_INFO a;
    ASSERT_EQ(GemGetAlInfo(0, 300, &a), 0);
    EXPECT_EQ(a.alcd, 0x85);
    EXPECT_EQ(a.ce_on, 100u);
    EXPECT_EQ(a.ce_off, 0u);
    ASSERT_EQ(GemSetAlInfo(0, &a), 0);
    ZorFreeTAL_INFO(&a);
    TPP_INFO pp;
    ASSERT_EQ(GemGetPpInfo(0, "prog01", &pp), 0);
    pp.ppid_format = pp.ppbody_format = 16;  // the PP editor always sends A
    pp.ppid_length = static_cast<int32_t>(std::strlen(pp.ppid));
    ASSERT_EQ(GemSetPpInfo(0, &pp), 0);
    ZorFreeTPP_INFO(&pp);
    TFPP_INFO fp;
    ASSERT_EQ(GemGetFppInfo(0, "F1", &fp), 0);
    ASSERT_EQ(fp.ccode_count, 5);
    fp.ccode_count = 4;  // the FPP editor shows four command codes
    ASSERT_EQ(GemSetFppInfo(0, &fp), 0);
    fp.ccode_count = 5;
    ZorFreeTFPP_INFO(&fp);
    TTRACE_INFO t;
    ASSERT_EQ(GemGetTrInfo(0, "trace0001", &t), 0);
    EXPECT_EQ(t.trid_length, 4);
    EXPECT_EQ(t.svids[1], 0);
    t.trid_length = 9;
    ASSERT_EQ(GemSetTrInfo(0, &t), 0);
    ZorFreeTTRACE_INFO(&t);
    EXPECT_EQ(source(), before);
}

TEST_F(Records, ChangedFieldsAreWrittenAndTheRestKept) {
    TV_INFO r;
    ASSERT_EQ(GemGetSvInfo(0, 20, &r), 0);
    const int32_t items = r.item_count, ceids = r.ceid_count;
    r.item_count = 4;
    *static_cast<uint32_t*>(r.items.limits[0]->low) = 7;  // change limit 1 only
    r.ceids[1] = 101;                                     // link CE_2 where CE_GONE stood
    r.ceid_count = 2;
    ASSERT_EQ(GemSetSvInfo(0, &r), 0);
    r.item_count = items;
    r.ceid_count = ceids;
    ZorFreeTV_INFO(&r);
    std::string s = source();
    EXPECT_NE(s.find("    min : 0x10\r\n"), std::string::npos);
    // The fifth limit and the fourth event were never shown, so they stay.
    EXPECT_NE(s.find("    limit : 1 7 15\r\n    limit : 2 20 25\r\n    limit : 3 30 35\r\n    "
                     "limit : 4 40 45\r\n    limit : 5 50 55\r\n    event : CE_1\r\n"
                     "    event : CE_2\r\n    event : CE_1\r\n}"),
              std::string::npos)
        << s;

    TV_INFO e;
    ASSERT_EQ(GemGetEcInfo(0, 10, &e), 0);
    e.size = 3;
    ASSERT_EQ(GemSetEcInfo(0, &e), 0);
    ZorFreeTV_INFO(&e);
    EXPECT_NE(source().find("    format : A[3..32]\r\n"),
              std::string::npos);  // the maximum size stays

    TCE_INFO c;
    ASSERT_EQ(GemGetCeInfo(0, 100, &c), 0);
    c.ceed = 1;
    c.rpids[1] = 999;  // an ID nothing has: written as a number
    ASSERT_EQ(GemSetCeInfo(0, &c), 0);
    ZorFreeTCE_INFO(&c);
    EXPECT_NE(source().find("    enabled : TRUE\r\n    rptname : RP_1\r\n    rptname : 999\r\n"),
              std::string::npos);

    TPP_INFO pp;
    ASSERT_EQ(GemGetPpInfo(0, "PROG01", &pp), 0);
    ZorFreeMem(pp.ppbody);
    pp.ppbody = text("new body");
    pp.ppbody_format = 16;
    ASSERT_EQ(GemSetPpInfo(0, &pp), 0);
    ZorFreeTPP_INFO(&pp);
    // The J of the PPID and the range of the body survive.
    EXPECT_NE(source().find("    ppid : J[20] PROG01\r\n    ppbody : A[1..100] \"new body\"\r\n"),
              std::string::npos)
        << source();

    TAL_INFO a;
    ASSERT_EQ(GemGetAlInfo(0, 300, &a), 0);
    a.alcd = 3;
    a.ce_off = 101;
    ASSERT_EQ(GemSetAlInfo(0, &a), 0);
    ZorFreeTAL_INFO(&a);
    EXPECT_NE(source().find(
                  "    alcd : 3\r\n    altx : Text\r\n    ce_on : CE_1\r\n    ce_off : CE_2\r\n"),
              std::string::npos);
}

TEST_F(Records, NewDefinitionsFromEditorRecords) {
    TV_INFO r;
    ZorMemSet(&r, 0, sizeof r);
    r.vid = 30;
    r.name = text(" DV_NEW ");
    r.format = 42;
    r.size = 2;
    int32_t v = 5;
    r.nominal = ZorAllocMem(4);
    zor_set_vdval(r.nominal, &v, 42, 2, 2);
    r.units = text("");
    r.item_count = 1;
    r.items.limits = array<TV_LIMIT*>({static_cast<TV_LIMIT*>(ZorAllocMem(sizeof(TV_LIMIT)))});
    r.items.limits[0]->limit_id = 1;
    ASSERT_EQ(GemSetDvInfo(0, &r), 0) << test::last_error();
    ZorFreeTV_INFO(&r);

    TRCP_INFO c;
    ZorMemSet(&c, 0, sizeof c);
    c.name = text("RCP_2");
    c.rcpid = text("R2");
    c.param_count = 1;
    c.params = array<TRCP_PARAM*>({static_cast<TRCP_PARAM*>(ZorAllocMem(sizeof(TRCP_PARAM)))});
    c.params[0]->name = text("N 1");
    c.params[0]->value = text("v");
    ASSERT_EQ(GemSetRcpInfo(0, &c), 0);
    ZorFreeTRCP_INFO(&c);

    std::string s = source();
    EXPECT_NE(
        s.find("def_dv \" DV_NEW \" {\r\n    dvid : 30\r\n    format : U2[2]\r\n    nominal : 5\r\n"
               "    limit : 1 \"\" \"\"\r\n}"),
        std::string::npos)
        << s;
    EXPECT_NE(s.find("def_rcp RCP_2 {\r\n    rcpid : R2\r\n    rcpparname : \"N 1\"\r\n    "
                     "rcpparval : A[1] v\r\n}"),
              std::string::npos)
        << s;
}

TEST_F(Records, DeletedDefinitionsStayListedButAreNotWritten) {
    TCE_INFO c;
    ASSERT_EQ(GemGetCeInfo(0, 101, &c), 0);
    c.deleted = 1;
    ASSERT_EQ(GemSetCeInfo(0, &c), 0);
    ZorFreeTCE_INFO(&c);
    TBIN_DLIST* list = nullptr;
    ASSERT_EQ(GemGetCeList(0, &list), 2);
    EXPECT_EQ(list->ids[1], 101);
    EXPECT_STREQ(list->names[1], "CE_2");
    ZorFreeTBIN_DLIST(list);
    ASSERT_EQ(GemGetCeInfo(0, 101, &c), 0);
    EXPECT_EQ(c.deleted, 1);
    ZorFreeTCE_INFO(&c);
    EXPECT_EQ(source().find("def_ce CE_2"), std::string::npos);

    // A deleted name may be taken by a new definition; a live one may not.
    TCE_INFO n;
    ZorMemSet(&n, 0, sizeof n);
    n.ceid = 102;
    n.name = text("ce_2");
    EXPECT_EQ(GemSetCeInfo(0, &n), 0);
    n.ceid = 103;
    EXPECT_EQ(GemSetCeInfo(0, &n), ZOR_E_FAIL);
    EXPECT_EQ(test::last_error(), "the name \"ce_2\" is used by another definition");
    ZorFreeTCE_INFO(&n);
    // Links by that name now mean the live event.
    TV_INFO v;
    ASSERT_EQ(GemGetSvInfo(0, 20, &v), 0);
    EXPECT_EQ(v.ceids[2], 102);
    ZorFreeTV_INFO(&v);
}

// A live record under a deleted definition's key is a new definition: it
// takes nothing of the deleted one (entries past a cap, text formats, sizes).
TEST_F(Records, ANewDefinitionUnderADeletedOnesKeyInheritsNothing) {
    TV_INFO v;
    ASSERT_EQ(GemGetSvInfo(0, 20, &v), 0);
    v.deleted = 1;
    ASSERT_EQ(GemSetSvInfo(0, &v), 0);
    v.deleted = 0;
    ZorFreeMem(v.name);
    v.name = text("SV_NEW");
    v.item_count = 4;  // what the editor shows of the old five limits
    v.ceid_count = 1;
    ASSERT_EQ(GemSetSvInfo(0, &v), 0) << test::last_error();
    v.item_count = 5;
    v.ceid_count = 4;
    ZorFreeTV_INFO(&v);
    ASSERT_EQ(GemGetSvInfo(0, 20, &v), 0);
    EXPECT_STREQ(v.name, "SV_NEW");
    EXPECT_EQ(v.item_count, 4);
    EXPECT_EQ(v.ceid_count, 1);
    ZorFreeTV_INFO(&v);

    TPP_INFO p;
    ASSERT_EQ(GemGetPpInfo(0, "PROG01", &p), 0);
    p.deleted = 1;
    ASSERT_EQ(GemSetPpInfo(0, &p), 0);
    ZorFreeTPP_INFO(&p);
    TPP_INFO n;
    ZorMemSet(&n, 0, sizeof n);
    n.name = text("PP_NEW");
    n.ppid = text("prog01");
    n.ppid_format = n.ppbody_format = 16;
    n.ppid_length = 6;
    n.ppbody = text("b");
    n.ppbody_length = 1;
    ASSERT_EQ(GemSetPpInfo(0, &n), 0) << test::last_error();
    ZorFreeTPP_INFO(&n);
    ASSERT_EQ(GemGetPpInfo(0, "PROG01", &p), 0);
    EXPECT_EQ(p.ppid_format, 16);  // not the deleted one's J
    EXPECT_EQ(p.ppid_length, 6);
    EXPECT_EQ(p.deleted, 0);
    ZorFreeTPP_INFO(&p);

    TFPP_INFO f;
    ASSERT_EQ(GemGetFppInfo(0, "F1", &f), 0);
    f.deleted = 1;
    ASSERT_EQ(GemSetFppInfo(0, &f), 0);
    f.deleted = 0;
    f.ccode_count = 4;  // the editor's four rows
    ASSERT_EQ(GemSetFppInfo(0, &f), 0) << test::last_error();
    f.ccode_count = 5;
    ZorFreeTFPP_INFO(&f);

    std::string s = source();
    EXPECT_NE(s.find("def_sv SV_NEW {\r\n    svid : 20\r\n    format : U4\r\n    units : C\r\n"
                     "    min : 16\r\n    limit : 1 10 15\r\n    limit : 2 20 25\r\n"
                     "    limit : 3 30 35\r\n    limit : 4 40 45\r\n    event : CE_1\r\n}"),
              std::string::npos)
        << s;
    EXPECT_NE(s.find("def_pp PP_NEW {\r\n    ppid : A[6] prog01\r\n    ppbody : A[1] b\r\n}"),
              std::string::npos)
        << s;
    EXPECT_NE(s.find("    ppid : A[2] F1\r\n"), std::string::npos) << s;  // not A[2..40]
    EXPECT_EQ(s.find("C5"), std::string::npos) << s;
}

TEST_F(Records, RecordsThatCannotBeSourceAreRefused) {
    TAL_INFO a;
    ASSERT_EQ(GemGetAlInfo(0, 300, &a), 0);
    ZorFreeMem(a.altx);
    a.altx = text("two\r\nlines");
    EXPECT_EQ(GemSetAlInfo(0, &a), ZOR_E_FAIL);
    EXPECT_EQ(test::last_error(), "ALTX holds a line break");
    ZorFreeTAL_INFO(&a);

    TRP_INFO p;
    ZorMemSet(&p, 0, sizeof p);
    p.rpid = 5;
    p.name = text("RP_BIG");
    p.vid_count = 257;
    p.vids = static_cast<int32_t*>(ZorAllocMem(257 * 4));
    EXPECT_EQ(GemSetRpInfo(0, &p), ZOR_E_FAIL);
    ZorFreeMem(p.name);
    p.name = nullptr;
    p.vid_count = 0;
    EXPECT_EQ(GemSetRpInfo(0, &p), ZOR_E_FAIL);  // no name
    ZorFreeTRP_INFO(&p);
    EXPECT_EQ(GemSetRpInfo(0, nullptr), ZOR_E_FAIL);
}

// The sample's formatted process program and recipe, compiled, loaded and
// compared as the editor does: a parameter whose text changes keeps its
// item's format and count through save, compile and reload; a text that is
// no value of that format is refused, naming the field and the format, and
// changes nothing.
TEST(RecordTexts, AChangedTextKeepsItsFormatOrIsRefused) {
#ifndef ZOR_SOURCE_DIR
#define ZOR_SOURCE_DIR "."
#endif
    const std::string dir = test::scratch_dir("record_texts");
    test::CompileResult first = test::compile(
        dir, test::read_file(std::string(ZOR_SOURCE_DIR) + "/examples/equipment.txt"));
    if (!first.ran) FAIL() << "ZorCompile not found at " << test::compiler_path();
    ASSERT_EQ(first.errors, 0) << first.output;
    std::string error;
    ASSERT_GE(test::load_fil(dir, first.fil, &error), 0) << error;
    ASSERT_EQ(ZorCompareEqInfo((dir + "/eq.txt").c_str()), 1);

    // Sets FPP_STD with parameter (code, param) typed as `typed`.
    auto set_param = [](int code, int param, const char* typed) {
        TFPP_INFO r;
        EXPECT_EQ(GemGetFppInfo(0, "FPP_STD", &r), 0);
        char*& slot = r.ccodes[code]->pparams[param]->pparam;
        ZorFreeMem(slot);
        slot = text(typed);
        int rc = GemSetFppInfo(0, &r);
        ZorFreeTFPP_INFO(&r);
        return rc;
    };
    auto set_value = [](int param, const char* typed) {
        TRCP_INFO r;
        EXPECT_EQ(GemGetRcpInfo(0, "RCP_SIO2_STD", &r), 0);
        ZorFreeMem(r.params[param]->value);
        r.params[param]->value = text(typed);
        int rc = GemSetRcpInfo(0, &r);
        ZorFreeTRCP_INFO(&r);
        return rc;
    };
    auto param_text = [](int code, int param) {
        return test::read_record(GemGetFppInfo, "FPP_STD", [&](int, const TFPP_INFO& r) {
            return std::string(r.ccodes[code]->pparams[param]->pparam);
        });
    };

    const std::tuple<int, int, const char*, const char*> refusals[] = {
        {0, 0, "abc", "PPARAM-1-1 \"abc\" is no value of its format F4"},
        {0, 0, "1e999", "PPARAM-1-1 \"1e999\" is no value of its format F4"},
        {0, 1, "70000", "PPARAM-1-2 \"70000\" is no value of its format U2"},
        {1, 0, "", "PPARAM-2-1 \"\" is no value of its format F4"},
    };
    for (const auto& [code, param, typed, reason] : refusals) {
        EXPECT_EQ(set_param(code, param, typed), ZOR_E_FAIL) << typed;
        EXPECT_EQ(test::last_error(), reason);
    }
    EXPECT_EQ(param_text(0, 0), "350.0");
    EXPECT_EQ(set_value(1, "-1"), ZOR_E_FAIL);
    EXPECT_EQ(test::last_error(), "ParaVal-2 \"-1\" is no value of its format U4");

    ASSERT_EQ(set_param(0, 0, "360.0"), 0) << test::last_error();
    ASSERT_EQ(set_param(0, 1, "65535"), 0) << test::last_error();
    ASSERT_EQ(set_param(1, 1, "SiH4"), 0) << test::last_error();  // A: any text, sized by it
    ASSERT_EQ(set_value(0, "1e2"), 0) << test::last_error();
    ASSERT_EQ(set_value(1, "4294967295"), 0) << test::last_error();
    ASSERT_EQ(ZorWriteEqInfo((dir + "/eq.txt").c_str()), 0) << test::last_error();
    EXPECT_EQ(ZorGetWriteWay(), ZOR_WRITE_EDITED);
    test::CompileResult second = test::compile(dir, test::read_file(dir + "/eq.txt"), "back");
    ASSERT_EQ(second.errors, 0) << second.output;
    Equipment back;
    ASSERT_TRUE(read_fil(second.fil, back, error)) << error;
    auto shown = [](const TextItem& t) {
        return t.text + " f" + std::to_string(t.form) + " n" + std::to_string(t.size) + " m" +
               std::to_string(t.msize);
    };
    ASSERT_EQ(back.fp.size(), 1u);
    const auto& codes = back.fp[0].codes;
    ASSERT_EQ(codes.size(), 3u);
    EXPECT_EQ(shown(codes[0].params[0]), "360.0 f36 n1 m1");
    EXPECT_EQ(shown(codes[0].params[1]), "65535 f42 n1 m1");
    EXPECT_EQ(shown(codes[1].params[0]), "133.3 f36 n1 m1");
    EXPECT_EQ(shown(codes[1].params[1]), "SiH4 f16 n1 m16");
    ASSERT_EQ(back.rc.size(), 1u);
    ASSERT_TRUE(back.rc[0].params[0].value && back.rc[0].params[1].value);
    EXPECT_EQ(shown(*back.rc[0].params[0].value), "1e2 f36 n1 m0");
    EXPECT_EQ(shown(*back.rc[0].params[1].value), "4294967295 f44 n1 m0");
}

// The library copies what it is given: the caller's blocks may be freed
// and reused at once.
TEST_F(Records, SetKeepsNothingOfTheCaller) {
    TTRACE_INFO t;
    ZorMemSet(&t, 0, sizeof t);
    t.name = text("TR_2");
    t.trid = text("T2");
    t.dsper = text("00000200");
    t.totsmp = 1;
    t.repgsz = 1;
    t.svid_count = 1;
    t.svids = array<int32_t>({20});
    ASSERT_EQ(GemSetTrInfo(0, &t), 0);
    std::memset(t.name, 'x', 4);
    ZorFreeTTRACE_INFO(&t);
    ASSERT_EQ(GemGetTrInfo(0, "T2", &t), 0);
    EXPECT_STREQ(t.name, "TR_2");
    EXPECT_EQ(t.svids[0], 20);
    ZorFreeTTRACE_INFO(&t);
    EXPECT_NE(source().find("    svname : SV_T\r\n"), std::string::npos);
}

TEST_F(Records, NameLookupsWriteOnlyWhatFits) {
    char buffer[8];
    int32_t length = -1;
    EXPECT_EQ(GemGetVName(0, 10, buffer, &length, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "EC_A");
    EXPECT_EQ(length, 4);
    EXPECT_EQ(GemGetVName(0, 10, buffer, &length, 4), ZOR_E_NOSPACE);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GemGetVName(0, 999, buffer, &length, sizeof buffer), ZOR_E_NOTFOUND);
    EXPECT_EQ(GemGetRpName(0, 200, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "RP_1");
    EXPECT_EQ(GemGetCeName(0, 101, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "CE_2");
    EXPECT_EQ(GemGetCeName(0, 200, buffer, sizeof buffer), ZOR_E_NOTFOUND);
}

TEST_F(Records, SpoolSettingsPerStream) {
    int32_t f[2];
    EXPECT_EQ(GemGetSpoolInfo(0, 6, f, 2), 2);
    EXPECT_EQ(f[1], 13);
    EXPECT_EQ(GemGetSpoolInfo(0, 6, f, 1), ZOR_E_NOSPACE);
    EXPECT_EQ(GemGetSpoolInfo(0, 7, f, 2), 0);
    int32_t set[] = {5, 257};
    ASSERT_EQ(GemSetSpoolInfo(0, 7, 2, set), 0);
    EXPECT_EQ(GemGetSpoolInfo(0, 7, f, 2), 2);
    EXPECT_EQ(f[1], 1);  // low eight bits
    EXPECT_EQ(GemSetSpoolInfo(0, 300, 0, nullptr), ZOR_E_FAIL);
    std::string s = source();
    EXPECT_NE(
        s.find("def_spool SP_S7 {\r\n    stream : 7\r\n    function : 5\r\n    function : 1\r\n}"),
        std::string::npos);
    EXPECT_EQ(GemResetSpoolInfo(0, 6), 0);
    EXPECT_EQ(GemResetSpoolInfo(0, 6), ZOR_E_NOTFOUND);
    EXPECT_EQ(GemGetSpoolInfo(0, 6, f, 2), 0);
    EXPECT_EQ(GemResetAllSpoolInfo(0), 0);
    EXPECT_EQ(GemGetSpoolInfo(0, 7, f, 2), 0);
    EXPECT_EQ(source().find("def_spool"), std::string::npos);
}

TEST_F(Records, WriteKeepsTheOldSourceAndFailsCleanly) {
    std::string path = dir_ + "/eq.txt";
    test::write_file(path, "// hand-written\r\n");
    ASSERT_EQ(ZorWriteEqInfo(path.c_str()), 0);
    EXPECT_EQ(test::read_file(path + ".bak"), "// hand-written\r\n");
    EXPECT_NE(test::read_file(path).find("def_ec EC_A {"), std::string::npos);
    EXPECT_EQ(ZorWriteEqInfo((dir_ + "/no/such/dir/eq.txt").c_str()), ZOR_E_FAIL);
    EXPECT_EQ(ZorWriteEqInfo(nullptr), ZOR_E_FAIL);
}

TEST_F(Records, AFailedWriteNamesTheFileAndTheCause) {
    std::string path = dir_ + "/eq.txt";
    test::write_file(path, "// hand-written\r\n");
    std::filesystem::create_directories(path + ".bak/kept");
    EXPECT_EQ(ZorWriteEqInfo(path.c_str()), ZOR_E_FAIL);
    EXPECT_EQ(test::last_error(),
              "cannot keep the previous source as " + path + ".bak: is a directory");
    EXPECT_EQ(test::read_file(path), "// hand-written\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 4);  // no temporary
}

TEST_F(Records, AFailedLoadKeepsWhatWasLoaded) {
    std::string error;
    EXPECT_EQ(test::load_fil(dir_, "CE: NAME00000001C\r\n", &error), ZOR_E_FAIL);
    EXPECT_EQ(error.substr(error.find(": ") + 2),
              "damaged object file, record CE \"C\" at line 1, byte 18: field \"ID  \" missing");
    TBIN_DLIST* list = nullptr;
    EXPECT_EQ(GemGetCeList(0, &list), 2);
    ZorFreeTBIN_DLIST(list);
}

TEST_F(Records, TerminateDropsEverythingAndSetsWaitForTheNextLoad) {
    EXPECT_EQ(GemSetEditMode(2), 0);
    EXPECT_EQ(GemSetupLibrary(1, 0), 0);
    EXPECT_EQ(GemTerminateLibrary(), 0);
    TBIN_DLIST* list = nullptr;
    EXPECT_EQ(GemGetEcList(0, &list), 0);
    ZorFreeTBIN_DLIST(list);
    EXPECT_EQ(ZorGetTEq_MgrPtr(0)->log_size, 0);
    TCE_INFO c;
    ZorMemSet(&c, 0, sizeof c);
    c.ceid = 1;
    c.name = text("CE");
    EXPECT_EQ(GemSetCeInfo(0, &c), ZOR_E_FAIL);
    EXPECT_EQ(test::last_error(), "no equipment loaded");
    ZorFreeTCE_INFO(&c);
    EXPECT_EQ(ZorWriteEqInfo((dir_ + "/none.txt").c_str()), ZOR_E_FAIL);
}

// Editors list every record and get each to find the deleted ones: that
// must stay quick at the compiler's limit of 8192 per kind.
TEST(RecordsScale, ListGetAndSetEightThousandDefinitions) {
    Equipment eq;
    for (int i = 0; i < 8192; ++i) {
        eq.ce.push_back(
            {"CE_" + std::to_string(i), i + 1, std::nullopt, {"RP_" + std::to_string(i % 100)}});
        eq.rp.push_back({"RP_" + std::to_string(i), i + 1, {"SV_" + std::to_string(i)}});
    }
    std::string dir = test::scratch_dir("scale");
    ASSERT_GE(test::load_fil(dir, write_fil(eq)), 0);
    auto start = std::chrono::steady_clock::now();
    TBIN_DLIST* list = nullptr;
    ASSERT_EQ(GemGetCeList(0, &list), 8192);
    for (int i = 0; i < list->count; ++i) {
        TCE_INFO c;
        ASSERT_EQ(GemGetCeInfo(0, list->ids[i], &c), 0);
        c.deleted = i % 2;
        ASSERT_EQ(GemSetCeInfo(0, &c), 0);
        ZorFreeTCE_INFO(&c);
    }
    ZorFreeTBIN_DLIST(list);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 1.0);
    TCE_INFO c;
    ASSERT_EQ(
        GemSetCeInfo(0, (ZorMemSet(&c, 0, sizeof c), c.ceid = 99999, c.name = text("CE_X"), &c)),
        ZOR_E_FAIL);
    EXPECT_EQ(test::last_error(), "more than 8192 definitions");
    ZorFreeTCE_INFO(&c);
}

}  // namespace
}  // namespace zor::edit
