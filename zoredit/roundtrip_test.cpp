// Load an object file, write it back as source, compile: the same object
// file, byte for byte, with the real ZorCompile.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <tuple>
#include <vector>

#include "zoredit/source_generator.h"
#include "zoredit/test_support.h"
#include "zoredit/zoredit.h"

namespace zor::edit::test {
namespace {

#ifndef ZOR_SOURCE_DIR
#define ZOR_SOURCE_DIR "."
#endif

// Gets every record and sets it back the way the editors send it: PP and
// trace IDs as A with the text's length, no CEIDs for EC and DV, an A size
// taken from the nominal, and only as many list entries as a form shows.
// Nothing of that may change the definitions.
template <class Info>
void shorten(int32_t& count, size_t cap, Info&& set) {
    const int32_t all = count;
    if (static_cast<size_t>(count) > cap) count = static_cast<int32_t>(cap);
    set();
    count = all;
}

void set_everything_back() {
    TBIN_DLIST* list = nullptr;
    using GetV = int (*)(int, int32_t, TV_INFO*);
    using SetV = int (*)(int, const TV_INFO*);
    const std::tuple<int (*)(int, TBIN_DLIST**), GetV, SetV, bool> variables[] = {
        {GemGetEcList, GemGetEcInfo, GemSetEcInfo, false},
        {GemGetSvList, GemGetSvInfo, GemSetSvInfo, true},
        {GemGetDvList, GemGetDvInfo, GemSetDvInfo, false},
    };
    for (const auto& [list_fn, get, set, is_sv] : variables) {
        list_fn(0, &list);
        for (int i = 0; i < list->count; ++i) {
            TV_INFO r;
            ASSERT_EQ(get(0, list->ids[i], &r), 0);
            const int32_t ceids = r.ceid_count, items = r.item_count, size = r.size;
            if (!is_sv) r.ceid_count = 0;
            if (is_sv && r.ceid_count > 3) r.ceid_count = 3;
            if (r.format != 0 && r.item_count > 4) r.item_count = 4;
            if ((r.format == 16 || r.format == 17))
                r.size = r.nominal
                             ? static_cast<int32_t>(std::strlen(static_cast<char*>(r.nominal)))
                             : 0;
            ASSERT_EQ(set(0, &r), 0) << test::last_error();
            r.ceid_count = ceids;
            r.item_count = items;
            r.size = size;
            ZorFreeTV_INFO(&r);
        }
        ZorFreeTBIN_DLIST(list);
    }
    GemGetCeList(0, &list);
    for (int i = 0; i < list->count; ++i) {
        TCE_INFO r;
        ASSERT_EQ(GemGetCeInfo(0, list->ids[i], &r), 0);
        shorten(r.rpid_count, 1023,
                [&] { ASSERT_EQ(GemSetCeInfo(0, &r), 0) << test::last_error(); });
        ZorFreeTCE_INFO(&r);
    }
    ZorFreeTBIN_DLIST(list);
    GemGetRpList(0, &list);
    for (int i = 0; i < list->count; ++i) {
        TRP_INFO r;
        ASSERT_EQ(GemGetRpInfo(0, list->ids[i], &r), 0);
        shorten(r.vid_count, 32, [&] { ASSERT_EQ(GemSetRpInfo(0, &r), 0) << test::last_error(); });
        ZorFreeTRP_INFO(&r);
    }
    ZorFreeTBIN_DLIST(list);
    GemGetAlList(0, &list);
    for (int i = 0; i < list->count; ++i) {
        TAL_INFO r;
        ASSERT_EQ(GemGetAlInfo(0, list->ids[i], &r), 0);
        ASSERT_EQ(GemSetAlInfo(0, &r), 0) << test::last_error();
        ZorFreeTAL_INFO(&r);
    }
    ZorFreeTBIN_DLIST(list);
    TTEXT_DLIST* texts = nullptr;
    GemGetPpList(0, &texts);
    for (int i = 0; i < texts->count; ++i) {
        TPP_INFO r;
        ASSERT_EQ(GemGetPpInfo(0, texts->ids[i], &r), 0);
        r.ppid_format = r.ppbody_format = 16;
        r.ppid_length = static_cast<int32_t>(std::strlen(r.ppid));
        r.ppbody_length = static_cast<int32_t>(std::strlen(r.ppbody));
        ASSERT_EQ(GemSetPpInfo(0, &r), 0) << test::last_error();
        ZorFreeTPP_INFO(&r);
    }
    ZorFreeTTEXT_DLIST(texts);
    GemGetFppList(0, &texts);
    for (int i = 0; i < texts->count; ++i) {
        TFPP_INFO r;
        ASSERT_EQ(GemGetFppInfo(0, texts->ids[i], &r), 0);
        shorten(r.ccode_count, 4,
                [&] { ASSERT_EQ(GemSetFppInfo(0, &r), 0) << test::last_error(); });
        ZorFreeTFPP_INFO(&r);
    }
    ZorFreeTTEXT_DLIST(texts);
    GemGetRcpList(0, &texts);
    for (int i = 0; i < texts->count; ++i) {
        TRCP_INFO r;
        ASSERT_EQ(GemGetRcpInfo(0, texts->ids[i], &r), 0);
        shorten(r.param_count, 6,
                [&] { ASSERT_EQ(GemSetRcpInfo(0, &r), 0) << test::last_error(); });
        ZorFreeTRCP_INFO(&r);
    }
    ZorFreeTTEXT_DLIST(texts);
    GemGetTrList(0, &texts);
    for (int i = 0; i < texts->count; ++i) {
        TTRACE_INFO r;
        ASSERT_EQ(GemGetTrInfo(0, texts->ids[i], &r), 0);
        r.trid_format = 16;
        r.trid_length = static_cast<int32_t>(std::strlen(r.trid));
        shorten(r.svid_count, 32, [&] { ASSERT_EQ(GemSetTrInfo(0, &r), 0) << test::last_error(); });
        ZorFreeTTRACE_INFO(&r);
    }
    ZorFreeTTEXT_DLIST(texts);
    for (int stream = 0; stream < 256; ++stream) {
        int32_t functions[256];
        int n = GemGetSpoolInfo(0, stream, functions, 256);
        ASSERT_GE(n, 0);
        if (n > 0) {
            ASSERT_EQ(GemSetSpoolInfo(0, stream, n, functions), 0);
        }
    }
}

// Compiles `source`, then load → set every record back unchanged → write →
// compile, and load → write → compile once more; every object file must
// equal the first, and the second written source the first.
void expect_round_trip(const std::string& source, const std::string& tag) {
    std::string dir = scratch_dir(tag);
    CompileResult first = compile(dir, source);
    if (!first.ran) FAIL() << "ZorCompile not found at " << compiler_path();
    ASSERT_EQ(first.errors, 0) << first.output;
    std::string error;
    ASSERT_GE(load_fil(dir, first.fil, &error), 0) << error;
    set_everything_back();
    if (::testing::Test::HasFatalFailure()) return;
    ASSERT_EQ(ZorWriteEqInfo((dir + "/back.txt").c_str()), 0) << last_error();
    std::string written = read_file(dir + "/back.txt");
    CompileResult second = compile(dir, written, "back");
    ASSERT_EQ(second.errors, 0) << second.output << "\n" << written;
    ASSERT_EQ(second.fil, first.fil) << written;
    ASSERT_GE(load_fil(dir, second.fil, &error), 0) << error;
    ASSERT_EQ(ZorWriteEqInfo((dir + "/again.txt").c_str()), 0) << last_error();
    EXPECT_EQ(read_file(dir + "/again.txt"), written);
    if (!std::getenv("ZOREDIT_KEEP")) std::filesystem::remove_all(dir);
}

TEST(RoundTrip, SampleEquipment) {
    expect_round_trip(read_file(std::string(ZOR_SOURCE_DIR) + "/examples/equipment.txt"), "sample");
}

// Every item of every block, with the written forms that are easy to lose:
// hexadecimal IDs, quoted texts full of separators, "//" and "..", escapes
// and Shift-JIS (0x95 0x5C has a backslash as its second byte), every
// (size, maximum size) form, revision 1 for LEND, links to names that name
// nothing, the format error that leaves code 255.
const char* const kEveryItem =
    "// every item\r\n"
    "REV_NO = 2\r\n"
    "def_ec EC_A {\r\n"
    "    ecid : 0x10\r\n"
    "    format : A[1..32]\r\n"
    "    units : \"deg C\"\r\n"
    "    min : \"a, b\"\r\n"
    "    max : \"x: {y} [z]\"\r\n"
    "    nominal : \"// not a comment .. nor a range\"\r\n"
    "    limit : L1, \"1 2\", \"3,4\"\r\n"
    "    event : CE_1\r\n"
    "    event : NO_SUCH_CE\r\n"
    "}\r\n"
    "def_ec \"EC B\" {\r\n"
    "    ecid : -5\r\n"
    "    format : u4[2]\r\n"
    "    nominal : 0x1F\r\n"
    "    limit : 1 2 3\r\n"
    "    limit : 2 4 5\r\n"
    "    limit : 3 6 7\r\n"
    "    limit : 4 8 9\r\n"
    "    limit : 5 10 11\r\n"
    "}\r\n"
    "def_sv SV_L {\r\n"
    "    svid : 5\r\n"
    "    format : L\r\n"
    "    nominal : 2\r\n"
    "    vid : EC_A\r\n"
    "    vid : SV_NOWHERE\r\n"
    "    event : CE_2\r\n"
    "}\r\n"
    "def_sv SV_SHORT {\r\n"
    "    svid : 6\r\n"
    "    format : L\r\n"
    "    nominal : 3\r\n"
    "    vid : EC_A\r\n"
    "}\r\n"
    "def_sv SV_NOFORMAT {\r\n"
    "    svid : 8\r\n"
    "    units : \"\"\r\n"
    "}\r\n"
    "def_sv SV_TEXT {\r\n"
    "    svid : 10\r\n"
    "    format : J[8]\r\n"
    "    units : \"\x95\x5c\x8e\xa6\"\r\n"
    "    nominal : \"tab\\there \\x41 \\\" quote\"\r\n"
    "}\r\n"
    "def_dv DV_E {\r\n"
    "    dvid : 7\r\n"
    "    format : U1[4..8]\r\n"
    "    min : -1\r\n"
    "}\r\n"
    "def_dv DV_B {\r\n"
    "    dvid : 11\r\n"
    "    format : Boolean\r\n"
    "    nominal : TRUE\r\n"
    "}\r\n"
    "def_dv DV_F {\r\n"
    "    dvid : 12\r\n"
    "    format : F8[3]\r\n"
    "    nominal : 1.5e3\r\n"
    "    max : +2\r\n"
    "}\r\n"
    "REV_NO = 1\r\n"
    "def_dv DV_LEND {\r\n"
    "    dvid : 9\r\n"
    "    format : LEND\r\n"
    "}\r\n"
    "REV_NO = 2\r\n"
    "def_ce CE_1 {\r\n"
    "    ceid : 100\r\n"
    "    enabled : TRUE\r\n"
    "    rptname : RP_1\r\n"
    "    rptname : RP_NOWHERE\r\n"
    "}\r\n"
    "def_ce CE_2 {\r\n"
    "    ceid : 0x65\r\n"
    "}\r\n"
    "def_report RP_1 {\r\n"
    "    rptid : 200\r\n"
    "    vname : EC_A\r\n"
    "    vname : SV_L\r\n"
    "    vname : 77\r\n"
    "}\r\n"
    "def_report RP_EMPTY {\r\n"
    "    rptid : 201\r\n"
    "}\r\n"
    "def_alarm AL_1 {\r\n"
    "    alid : 300\r\n"
    "    altx : \"Alarm, with {braces}\"\r\n"
    "    alcd : 0x85\r\n"
    "    ce_on : CE_1\r\n"
    "    ce_off : CE_2\r\n"
    "    enabled : Disable\r\n"
    "}\r\n"
    "def_alarm AL_2 {\r\n"
    "    alid : 301\r\n"
    "    alcd : 1\r\n"
    "    altx : \"\"\r\n"
    "}\r\n"
    "def_spool SP_A {\r\n"
    "    stream : 6\r\n"
    "    function : 11\r\n"
    "    function : 13\r\n"
    "}\r\n"
    "def_spool SP_B {\r\n"
    "    stream : 262\r\n"
    "    function : 300\r\n"
    "}\r\n"
    "def_spool SP_C {\r\n"
    "    stream : 256\r\n"
    "}\r\n"
    "def_pp PP_1 {\r\n"
    "    ppid : A[4] PROGRAM01\r\n"
    "    ppbody : A[1..100] \"body, text\"\r\n"
    "}\r\n"
    "def_pp PP_2 {\r\n"
    "    ppid : Q[8] PROG02\r\n"
    "    ppbody : J[3] \"\"\r\n"
    "}\r\n"
    "def_fpp FPP_1 {\r\n"
    "    ppid : A[1..40] P1\r\n"
    "    mdln : \"CVD 300\"\r\n"
    "    softrev : 1.0\r\n"
    "    ccode : A[4] C1\r\n"
    "    pparam : U4[1] 10\r\n"
    "    pparam : A[2..10] \"p 2\"\r\n"
    "    pparam : U1[2..5] X\r\n"
    "    ccode : A[2] C2\r\n"
    "}\r\n"
    "def_rcp RCP_1 {\r\n"
    "    rcpid : R1\r\n"
    "    rcpbody : \"body\"\r\n"
    "    rcpparname : P1\r\n"
    "    rcpparval : F4[1] 1.5\r\n"
    "    rcpparname : \"P 2\"\r\n"
    "}\r\n"
    "def_rcp RCP_2 {\r\n"
    "    rcpid : R2\r\n"
    "}\r\n"
    "def_trace TR_1 {\r\n"
    "    trid : A[4] TRACE0001\r\n"
    "    dsper : 00000100\r\n"
    "    totsmp : 10\r\n"
    "    repgsz : 2\r\n"
    "    svname : SV_L\r\n"
    "    svname : SV_GONE\r\n"
    "}\r\n";

TEST(RoundTrip, EveryItem) { expect_round_trip(kEveryItem, "every"); }

TEST(RoundTrip, EmptyEquipment) { expect_round_trip("// nothing\r\n", "empty"); }

// A list variable holds as many VIDs as its nominal counts, far more than
// the entries of an ordinary list: the editor builds up to 2048.
TEST(RoundTrip, AListVariableOf2048Vids) {
    std::string dir = scratch_dir("vids2048");
    CompileResult first = compile(dir, "def_ec EC_A {\r\n    ecid : 7\r\n    format : U1\r\n}\r\n");
    if (!first.ran) FAIL() << "ZorCompile not found at " << compiler_path();
    ASSERT_EQ(first.errors, 0) << first.output;
    std::string error;
    ASSERT_GE(load_fil(dir, first.fil, &error), 0) << error;

    std::vector<int32_t> vids(ZOR_MAX_LIST_VIDS);
    for (size_t i = 0; i < vids.size(); ++i)
        vids[i] = i % 3 == 0 ? 7 : 5000 + static_cast<int32_t>(i);
    TV_LIST list{};
    list.vids = vids.data();
    int32_t count = ZOR_MAX_LIST_VIDS;
    char name[] = "SV_LIST";
    TV_INFO r{};
    r.vid = 8;
    r.name = name;
    r.size = 1;
    r.nominal = &count;
    r.item_count = ZOR_MAX_LIST_VIDS;
    r.items.list = &list;
    ASSERT_EQ(GemSetSvInfo(0, &r), 0) << last_error();
    r.item_count = ZOR_MAX_LIST_VIDS + 1;
    EXPECT_EQ(GemSetSvInfo(0, &r), ZOR_E_FAIL);
    EXPECT_EQ(last_error(), "VID count 2049 outside 0..2048");

    ASSERT_EQ(ZorWriteEqInfo((dir + "/back.txt").c_str()), 0) << last_error();
    CompileResult second = compile(dir, read_file(dir + "/back.txt"), "back");
    ASSERT_EQ(second.errors, 0) << second.output;
    ASSERT_GE(load_fil(dir, second.fil, &error), 0) << error;
    TV_INFO back;
    ASSERT_EQ(GemGetSvInfo(0, 8, &back), 0);
    ASSERT_EQ(back.item_count, ZOR_MAX_LIST_VIDS);
    EXPECT_EQ(*static_cast<int32_t*>(back.nominal), ZOR_MAX_LIST_VIDS);
    EXPECT_TRUE(std::equal(vids.begin(), vids.end(), back.items.list->vids));
    ZorFreeTV_INFO(&back);

    // Written again unchanged, it compiles to the same object file.
    ASSERT_EQ(ZorWriteEqInfo((dir + "/again.txt").c_str()), 0) << last_error();
    CompileResult third = compile(dir, read_file(dir + "/again.txt"), "again");
    ASSERT_EQ(third.errors, 0) << third.output;
    EXPECT_EQ(third.fil, second.fil);
    std::filesystem::remove_all(dir);
}

TEST(RoundTrip, GeneratedSources) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        expect_round_trip(SourceGenerator(seed).source(), "gen" + std::to_string(seed));
        if (HasFatalFailure() || IsSkipped()) return;
    }
}

}  // namespace
}  // namespace zor::edit::test
