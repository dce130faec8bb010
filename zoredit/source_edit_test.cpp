// Saving onto the source the definitions were loaded from, with the real
// ZorCompile: no change writes the source back byte for byte, changes leave
// every untouched block as written and compile to what the whole-source
// writer's output compiles to, and a source changed on disk is written anew.
#include "zoredit/source_edit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "zoredit/source_generator.h"
#include "zoredit/source_scan.h"
#include "zoredit/source_writer.h"
#include "zoredit/store.h"
#include "zoredit/test_support.h"
#include "zoredit/zoredit.h"

namespace zor::edit::test {
namespace {

#ifndef ZOR_SOURCE_DIR
#define ZOR_SOURCE_DIR "."
#endif

// Compiles `source` as dir/eq.txt and loads its object file.
void load_source(const std::string& dir, const std::string& source) {
    CompileResult r = compile(dir, source);
    if (!r.ran) FAIL() << "ZorCompile not found at " << compiler_path();
    ASSERT_EQ(r.errors, 0) << r.output << "\n" << source;
    std::string error;
    ASSERT_GE(load_fil(dir, r.fil, &error), 0) << error;
}

// Saves to `path`; the text written, and whether only changes were written.
std::string save(const std::string& path, bool* edited = nullptr) {
    EXPECT_EQ(ZorWriteEqInfo(path.c_str()), 0) << last_error();
    if (edited) *edited = ZorGetWriteWay() == ZOR_WRITE_EDITED;
    return read_file(path);
}

std::string kind_name(const ScannedBlock& b) {
    if (b.kind == Kind::SP) return "SP#" + std::to_string(b.stream & 0xff);
    return std::to_string(static_cast<int>(b.kind)) + "#" + b.name;
}

std::string block_text(const std::string& text, const ScannedSource& s, const ScannedBlock& b) {
    size_t from = s.lines[b.lead].first, to = s.lines[b.close].second;
    return text.substr(from, to - from);
}

// Every block of `before` whose definition was not touched stands in
// `after` byte for byte, with the comment lines directly above it (and
// perhaps more comment lines above those).
void expect_untouched_blocks_kept(const std::string& before, const std::string& after,
                                  const std::set<std::string>& touched) {
    ScannedSource a, b;
    ASSERT_TRUE(scan_source(before, 2, a));
    ASSERT_TRUE(scan_source(after, 2, b)) << after;
    BlockItems items;
    for (auto& blk : a.blocks) ASSERT_TRUE(scan_items(before, a, blk, items));
    for (auto& blk : b.blocks) ASSERT_TRUE(scan_items(after, b, blk, items));
    std::multimap<std::string, const ScannedBlock*> written;
    for (const auto& blk : b.blocks) written.emplace(kind_name(blk), &blk);
    for (const auto& blk : a.blocks) {
        if (touched.count(kind_name(blk))) continue;
        std::string want = block_text(before, a, blk);
        bool found = false;
        auto [from, to] = written.equal_range(kind_name(blk));
        // A deleted block before it may leave its comments above it.
        for (auto it = from; it != to && !found; ++it) {
            std::string got = block_text(after, b, *it->second);
            found = got.size() >= want.size() &&
                    got.compare(got.size() - want.size(), want.size(), want) == 0;
        }
        EXPECT_TRUE(found) << "block changed or lost:\n" << want << "\nin:\n" << after;
    }
}

// Changes through the records as the editors make them, chosen by a seed;
// remembers the blocks they touch.
class Changes {
  public:
    explicit Changes(unsigned seed) : rng_(seed) {}
    std::set<std::string> touched;

    void make(int count) {
        for (int i = 0; i < count; ++i) {
            switch (pick(0, 9)) {
                case 0: change_ce(); break;
                case 1: change_alarm(false); break;
                case 2: change_alarm(true); break;
                case 3: change_trace(); break;
                case 4: delete_bin(GemGetCeList, Kind::CE); break;
                case 5: delete_bin(GemGetRpList, Kind::RP); break;
                case 6: delete_variable(); break;
                case 7: add_ce(); break;
                case 8: change_spool(); break;
                default: add_alarm(); break;
            }
            if (::testing::Test::HasFailure()) return;
        }
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    void touch(Kind k, const char* name) {
        touched.insert(std::to_string(static_cast<int>(k)) + "#" + name);
    }

    template <class Info>
    bool pick_record(int (*list_fn)(int, TBIN_DLIST**), int (*get)(int, int32_t, Info*), Info& r) {
        TBIN_DLIST* list = nullptr;
        list_fn(0, &list);
        bool got = false;
        if (list && list->count > 0) {
            int i = pick(0, list->count - 1);
            if (get(0, list->ids[i], &r) == 0) {
                got = !r.deleted;
                if (!got) zor_free(r);
            }
        }
        ZorFreeTBIN_DLIST(list);
        return got;
    }
    static void zor_free(TCE_INFO& r) { ZorFreeTCE_INFO(&r); }
    static void zor_free(TAL_INFO& r) { ZorFreeTAL_INFO(&r); }
    static void zor_free(TRP_INFO& r) { ZorFreeTRP_INFO(&r); }
    static void zor_free(TV_INFO& r) { ZorFreeTV_INFO(&r); }

    void change_ce() {
        TCE_INFO r;
        if (!pick_record(GemGetCeList, GemGetCeInfo, r)) return;
        r.ceed = r.ceed ? 0 : 1;
        touch(Kind::CE, r.name);
        ASSERT_EQ(GemSetCeInfo(0, &r), 0) << last_error();
        ZorFreeTCE_INFO(&r);
    }
    void change_alarm(bool text) {
        TAL_INFO r;
        if (!pick_record(GemGetAlList, GemGetAlInfo, r)) return;
        char* old = r.altx;
        std::string changed = "changed, alarm text " + std::to_string(pick(0, 999));
        if (text)
            r.altx = changed.data();
        else
            r.alcd = static_cast<uint8_t>(r.alcd + 1);
        touch(Kind::AL, r.name);
        ASSERT_EQ(GemSetAlInfo(0, &r), 0) << last_error();
        r.altx = old;
        ZorFreeTAL_INFO(&r);
    }
    void change_trace() {
        TTEXT_DLIST* list = nullptr;
        GemGetTrList(0, &list);
        if (list && list->count > 0) {
            TTRACE_INFO r;
            if (GemGetTrInfo(0, list->ids[pick(0, list->count - 1)], &r) == 0) {
                if (!r.deleted) {
                    r.totsmp += 1;
                    touch(Kind::TR, r.name);
                    EXPECT_EQ(GemSetTrInfo(0, &r), 0) << last_error();
                }
                ZorFreeTTRACE_INFO(&r);
            }
        }
        ZorFreeTTEXT_DLIST(list);
    }
    template <class Info>
    void delete_one(int (*list_fn)(int, TBIN_DLIST**), int (*get)(int, int32_t, Info*),
                    int (*set)(int, const Info*), Kind kind) {
        Info r;
        if (!pick_record(list_fn, get, r)) return;
        r.deleted = 1;
        touch(kind, r.name);
        ASSERT_EQ(set(0, &r), 0) << last_error();
        zor_free(r);
    }
    void delete_bin(int (*list_fn)(int, TBIN_DLIST**), Kind kind) {
        if (kind == Kind::CE) delete_one(list_fn, GemGetCeInfo, GemSetCeInfo, kind);
        if (kind == Kind::RP) delete_one(list_fn, GemGetRpInfo, GemSetRpInfo, kind);
    }
    void delete_variable() {
        if (pick(0, 1))
            delete_one(GemGetEcList, GemGetEcInfo, GemSetEcInfo, Kind::EC);
        else
            delete_one(GemGetSvList, GemGetSvInfo, GemSetSvInfo, Kind::SV);
    }
    void add_ce() {
        std::string name = "CE_NEW_" + std::to_string(++added_);
        TCE_INFO r{};
        r.ceid = 90000 + added_;
        r.name = name.data();
        r.ceed = 1;
        touch(Kind::CE, name.c_str());
        ASSERT_EQ(GemSetCeInfo(0, &r), 0) << last_error();
    }
    void add_alarm() {
        std::string name = "AL_NEW_" + std::to_string(++added_), text = "new alarm, added";
        TAL_INFO r{};
        r.alid = 91000 + added_;
        r.name = name.data();
        r.alcd = 0x81;
        r.altx = text.data();
        touch(Kind::AL, name.c_str());
        ASSERT_EQ(GemSetAlInfo(0, &r), 0) << last_error();
    }
    void change_spool() {
        for (int tries = 0; tries < 8; ++tries) {
            int stream = pick(1, 8);
            int32_t functions[256];
            int n = GemGetSpoolInfo(0, stream, functions, 256);
            if (n <= 0) continue;
            functions[0] = (functions[0] + 1) & 0xff;
            touched.insert("SP#" + std::to_string(stream));
            ASSERT_EQ(GemSetSpoolInfo(0, stream, n, functions), 0);
            return;
        }
    }

    std::mt19937 rng_;
    int added_ = 0;
};

// Load and save with no change, then changes: the properties of a save that
// edits the source, for one source. Odd seeds compare the source at the
// load, as the editor does; the others leave it to the first save. Later
// saves take what the one before wrote without comparing it: the last is
// compared in full to show that this holds.
void expect_edits_keep_the_source(const std::string& source, const std::string& tag,
                                  unsigned seed) {
    std::string dir = scratch_dir(tag);
    load_source(dir, source);
    if (::testing::Test::HasFatalFailure()) return;
    std::string path = dir + "/eq.txt";
    if (seed % 2) {
        ASSERT_EQ(ZorCompareEqInfo(path.c_str()), 1);
    }

    bool edited = false;
    ASSERT_EQ(save(path, &edited), source) << "a save without change must give the source";
    EXPECT_TRUE(edited);
    EXPECT_EQ(read_file(path + ".bak"), source);

    Changes changes(seed);
    changes.make(1 + static_cast<int>(seed % 4));
    if (::testing::Test::HasFatalFailure()) return;
    std::string first = save(path, &edited);
    EXPECT_TRUE(edited);
    expect_untouched_blocks_kept(source, first, changes.touched);
    std::string second = save(path, &edited);
    EXPECT_TRUE(edited);
    EXPECT_EQ(second, first) << "a second save without change must give the first";
    EXPECT_EQ(ZorCompareEqInfo(path.c_str()), 1) << "what a save writes is its source";

    // Differential: the whole-source writer's output compiles the same.
    std::string whole = save(dir + "/whole.txt", &edited);
    EXPECT_FALSE(edited);
    EXPECT_EQ(ZorCompareEqInfo((dir + "/whole.txt").c_str()), 1);
    CompileResult a = compile(dir, first, "eq");
    CompileResult b = compile(dir, whole, "whole");
    ASSERT_EQ(a.errors, 0) << a.output << "\n" << first;
    ASSERT_EQ(b.errors, 0) << b.output << "\n" << whole;
    EXPECT_EQ(a.fil, b.fil) << first;
    if (!std::getenv("ZOREDIT_KEEP") && !::testing::Test::HasFailure())
        std::filesystem::remove_all(dir);
}

TEST(SourceEdit, SampleEquipment) {
    std::string sample = read_file(std::string(ZOR_SOURCE_DIR) + "/examples/equipment.txt");
    for (unsigned seed = 1; seed <= 4 && !HasFatalFailure(); ++seed)
        expect_edits_keep_the_source(sample, "edit_sample" + std::to_string(seed), seed);
}

// Comments everywhere, a comment on item lines, CR LF, a Shift-JIS text
// whose trail byte is 0x5C, hexadecimal IDs kept as written, a list variable
// in revision 2 and a LEND variable in revision 1, text after braces.
const char* const kCommented =
    "// header comment\r\n"
    "//\x95\x5c\x8e\xa6 comment in Shift-JIS\r\n"
    "\r\n"
    "REV_NO = 2\r\n"
    "\r\n"
    "// the heater\r\n"
    "def_ec EC_HEAT {   // trailing text on a header\r\n"
    "    ecid    : 0x3E9        // hexadecimal\r\n"
    "    format  : F4\r\n"
    "    units   : \"\x95\x5c\"  // a 0x5C trail byte\r\n"
    "    // a comment in a body\r\n"
    "    nominal : 350.0\r\n"
    "}   // end of EC_HEAT\r\n"
    "def_ec EC_PRESS {\r\n"
    "    ecid    : 1002\r\n"
    "    format  : U2\r\n"
    "}\r\n"
    "\r\n"
    "/ a single slash comment\r\n"
    "def_sv SV_LIST {\r\n"
    "    svid    : 2001\r\n"
    "    format  : L\r\n"
    "    nominal : 2\r\n"
    "    vid     : EC_HEAT\r\n"
    "    vid     : EC_PRESS\r\n"
    "}\r\n"
    "REV_NO = 1\r\n"
    "def_dv DV_END {\r\n"
    "    dvid : 3001\r\n"
    "    format : LEND\r\n"
    "}\r\n"
    "REV_NO = 2\r\n"
    "def_ce CE_START {\r\n"
    "    ceid : 4001\r\n"
    "    rptname : RP_ONE\r\n"
    "}\r\n"
    "def_report RP_ONE {\r\n"
    "    rptid : 5001\r\n"
    "    vname : SV_LIST\r\n"
    "}\r\n"
    "def_alarm AL_HOT {\r\n"
    "    alid : 6001\r\n"
    "    alcd : 0x84\r\n"
    "    altx : \"too hot, \x95\x5c\"\r\n"
    "}\r\n"
    "def_spool SP_S6 {\r\n"
    "    stream : 6\r\n"
    "    function : 11\r\n"
    "}\r\n"
    "def_trace TR_1 {\r\n"
    "    trid : A[1..32] TRACE1\r\n"
    "    dsper : 000010\r\n"
    "    totsmp : 10\r\n"
    "    repgsz : 1\r\n"
    "}\r\n"
    "\r\n"
    "// trailing comment\r\n";

TEST(SourceEdit, HandWrittenSources) {
    std::string crlf = kCommented, lf;
    for (char c : crlf)
        if (c != '\r') lf += c;
    for (unsigned seed = 1; seed <= 6 && !HasFatalFailure(); ++seed) {
        expect_edits_keep_the_source(crlf, "edit_crlf" + std::to_string(seed), seed);
        expect_edits_keep_the_source(lf, "edit_lf" + std::to_string(seed), seed);
    }
}

TEST(SourceEdit, GeneratedSources) {
    for (unsigned seed = 1; seed <= 210; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::string plain = SourceGenerator(seed).source();
        std::string source = seed % 3 == 0 ? plain : hostile_layout(plain, seed);
        expect_edits_keep_the_source(source, "edit_gen" + std::to_string(seed), seed);
        if (HasFatalFailure() || HasFailure()) return;
    }
}

// A changed definition keeps its header, its place and the item lines that
// still mean the same, as written; a deleted one takes its comment with it;
// a new one follows the last block of its kind.
TEST(SourceEdit, ChangedDeletedAndNewDefinitionsInPlace) {
    std::string dir = scratch_dir("edit_place");
    load_source(dir, kCommented);
    if (HasFatalFailure()) return;
    std::string path = dir + "/eq.txt";

    TV_INFO ec;
    ASSERT_EQ(GemGetEcInfo(0, 0x3E9, &ec), 0);
    char* old_units = ec.units;
    std::string units = "degC";
    ec.units = units.data();
    ASSERT_EQ(GemSetEcInfo(0, &ec), 0) << last_error();
    ec.units = old_units;
    ZorFreeTV_INFO(&ec);

    TCE_INFO ce;
    ASSERT_EQ(GemGetCeInfo(0, 4001, &ce), 0);
    ce.deleted = 1;
    ASSERT_EQ(GemSetCeInfo(0, &ce), 0);
    ZorFreeTCE_INFO(&ce);

    std::string name = "EC_NEW";
    TV_INFO fresh{};
    fresh.vid = 1003;
    fresh.name = name.data();
    fresh.format = ZOR_FMT_U4;
    fresh.size = 1;
    ASSERT_EQ(GemSetEcInfo(0, &fresh), 0) << last_error();

    bool edited = false;
    std::string out = save(path, &edited);
    EXPECT_TRUE(edited);
    std::string want = kCommented;
    auto replace = [&](const std::string& from, const std::string& to) {
        size_t at = want.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        want.replace(at, from.size(), to);
    };
    replace("    units   : \"\x95\x5c\"  // a 0x5C trail byte\r\n", "    units : degC\r\n");
    replace("def_ce CE_START {\r\n    ceid : 4001\r\n    rptname : RP_ONE\r\n}\r\n", "");
    const std::string after_press = "    format  : U2\r\n}\r\n";
    size_t at = out.find(after_press + "def_ec EC_NEW {\r\n    ecid : 1003\r\n");
    ASSERT_NE(at, std::string::npos) << out;
    at += after_press.size();
    out.erase(at, out.find("}\r\n", at) + 3 - at);
    EXPECT_EQ(out, want);
}

// A list variable added where the source is in revision 1 gets the switch to
// revision 2 and back.
TEST(SourceEdit, ANewListVariableInRevisionOneSwitchesTheRevision) {
    std::string source =
        "REV_NO = 1\r\ndef_dv DV_END {\r\n    dvid : 1\r\n    format : LEND\r\n}\r\n"
        "// after\r\n";
    std::string dir = scratch_dir("edit_rev");
    load_source(dir, source);
    if (HasFatalFailure()) return;
    std::string name = "DV_LIST", element = "DV_END";
    char* names[] = {element.data()};
    int32_t vids[] = {1};
    TV_LIST list{0, vids, names};
    TV_INFO r{};
    r.vid = 2;
    r.name = name.data();
    r.format = ZOR_FMT_L;
    r.item_count = 1;
    r.items.list = &list;
    ASSERT_EQ(GemSetDvInfo(0, &r), 0) << last_error();
    bool edited = false;
    std::string out = save(dir + "/eq.txt", &edited);
    EXPECT_TRUE(edited);
    EXPECT_NE(out.find("}\r\nREV_NO = 2\r\ndef_dv DV_LIST {"), std::string::npos) << out;
    EXPECT_NE(out.find("}\r\nREV_NO = 1\r\n// after\r\n"), std::string::npos) << out;
    CompileResult again = compile(dir, out, "again");
    ASSERT_EQ(again.errors, 0) << again.output << out;
    EXPECT_NE(again.fil.find("VID "), std::string::npos);
}

// A source that no longer is what was loaded is written anew, never spliced,
// also when it was compared at the load and changed on disk after that.
TEST(SourceEdit, ASourceChangedOnDiskIsWrittenWhole) {
    const std::pair<std::string, std::string> edits[] = {
        {"    nominal : 350.0\r\n", "    nominal : 351.0\r\n"},
        {"    ecid    : 1002\r\n", "    ecid    : 1012\r\n"},
        {"def_spool SP_S6 {\r\n    stream : 6\r\n    function : 11\r\n}\r\n", ""},
        {"// trailing comment\r\n", "def_ce CE_MORE {\r\n    ceid : 4002\r\n}\r\n"},
        {"REV_NO = 1\r\n", "\r\n"},
        {"    vid     : EC_HEAT\r\n    vid     : EC_PRESS\r\n",
         "    vid     : EC_PRESS\r\n    vid     : EC_HEAT\r\n"},
        {"def_ec EC_PRESS {", "def_ec EC_PRESSURE {"},
    };
    int n = 0;
    for (const auto& [from, to] : edits) {
        SCOPED_TRACE(from);
        std::string dir = scratch_dir("edit_disk" + std::to_string(++n));
        load_source(dir, kCommented);
        if (HasFatalFailure()) return;
        if (n % 2) {
            ASSERT_EQ(ZorCompareEqInfo((dir + "/eq.txt").c_str()), 1);
        }
        std::string on_disk = kCommented;
        on_disk.replace(on_disk.find(from), from.size(), to);
        write_file(dir + "/eq.txt", on_disk);
        bool edited = true;
        std::string out = save(dir + "/eq.txt", &edited);
        EXPECT_FALSE(edited);
        EXPECT_EQ(read_file(dir + "/eq.txt.bak"), on_disk);
        EXPECT_EQ(out, save(dir + "/new.txt", &edited));
        std::filesystem::remove_all(dir);
    }
}

// A source compared at one load counts for that load only: saving other
// definitions loaded since onto it writes them whole. A file that is not
// the source, or none, compares as not the source.
TEST(SourceEdit, ACompareCountsForItsLoadOnly) {
    EXPECT_EQ(ZorCompareEqInfo(nullptr), ZOR_E_FAIL);
    std::string first_dir = scratch_dir("compare_first"), dir = scratch_dir("compare_second");
    load_source(first_dir, kCommented);
    if (HasFatalFailure()) return;
    std::string first = first_dir + "/eq.txt";
    EXPECT_EQ(ZorCompareEqInfo((first_dir + "/none.txt").c_str()), 0);
    EXPECT_EQ(ZorCompareEqInfo((first_dir + "/eq.fil").c_str()), 0);
    ASSERT_EQ(ZorCompareEqInfo(first.c_str()), 1);

    std::string other = kCommented;
    const std::string alcd = "    alcd : 0x84\r\n";
    other.replace(other.find(alcd), alcd.size(), "    alcd : 0x85\r\n");
    load_source(dir, other);
    if (HasFatalFailure()) return;
    bool edited = true;
    std::string out = save(first, &edited);
    EXPECT_FALSE(edited);
    EXPECT_EQ(out, save(dir + "/whole.txt", &edited));
    std::filesystem::remove_all(first_dir);
    std::filesystem::remove_all(dir);
}

// Layout is no change: a source laid out anew on disk after the load (blanks,
// tabs, comments, another spelling of a number) is still edited as it now
// stands; a blank added inside quotes is a change.
TEST(SourceEdit, LayoutOnDiskIsNoChangeButABlankInQuotesIs) {
    std::string dir = scratch_dir("edit_layout");
    load_source(dir, kCommented);
    if (HasFatalFailure()) return;
    std::string path = dir + "/eq.txt";
    auto with = [](std::string text, const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    std::string relaid =
        with(kCommented, "    ecid    : 1002\r\n", "\tecid\t:\t1002   // press\r\n");
    relaid = with(relaid, "    alcd : 0x84\r\n", "  alcd:0x84\r\n");
    relaid = with(relaid, "    svid    : 2001\r\n", "    svid : 0x7D1\r\n");
    relaid = with(relaid, "    function : 11\r\n", "    function : 11 , // eleven\r\n");
    write_file(path, relaid);
    bool edited = false;
    EXPECT_EQ(save(path, &edited), relaid);
    EXPECT_TRUE(edited);

    write_file(path, with(relaid, "\"too hot, ", "\"too  hot, "));
    save(path, &edited);
    EXPECT_FALSE(edited);
    std::filesystem::remove_all(dir);
}

// A large source is compared in shares, on two threads where there are two:
// a difference in any share is found, and a spool's stream number, which
// depends on the spools before it, is right in every share.
TEST(SourceEdit, EveryShareOfALargeSourceIsCompared) {
    Equipment eq;
    for (int i = 1; i <= 3000; ++i) {
        std::string k = std::to_string(i);
        eq.al.push_back({"AL_" + k, 600000 + i, "0x84", "fault " + k, std::nullopt, {}, {}});
        eq.sp.push_back({"SP_" + k, i & 0xff, {1, i & 0xff}});
    }
    Store store;
    store.load(std::move(eq));
    std::string text, error, out;
    ASSERT_TRUE(write_source(store, text, error)) << error;
    // Laid out anew, so that every block is compared line by line.
    auto replace_all = [](std::string t, const std::string& from, const std::string& to) {
        for (size_t at = t.find(from); at != std::string::npos; at = t.find(from, at + to.size()))
            t.replace(at, from.size(), to);
        return t;
    };
    const std::string source = replace_all(text, "    alid : ", "\talid\t:  ");
    ASSERT_TRUE(edit_source(source, store, out));
    EXPECT_EQ(out, source);

    for (const std::string& from :
         {std::string("\talid\t:  602950\r\n"), std::string("    stream : 2820\r\n")}) {
        std::string on_disk = source;
        size_t at = on_disk.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        on_disk.replace(at, from.size(), from.substr(0, from.size() - 3) + "1\r\n");
        EXPECT_FALSE(edit_source(on_disk, store, out)) << from;
    }

    Alarm changed = store.al.entries()[2900].def;
    changed.altx = "changed";
    store.al.put(changed, false);
    ASSERT_TRUE(edit_source(source, store, out));
    EXPECT_EQ(out, replace_all(source, "    altx : \"fault 2901\"\r\n", "    altx : changed\r\n"));
}

// Removing every spool setting reaches the save, with and without the
// compare at the load: the old blocks go, and a setting made after it is
// written for its own stream, once.
TEST(SourceEdit, ResetAllSpoolsThenANewSettingWritesOnlyTheNewOne) {
    const std::string source =
        "// the variable\r\n"
        "def_sv SV_A {\r\n    svid : 1\r\n    format : U4\r\n}\r\n"
        "// the spool\r\n"
        "def_spool SP_6 {\r\n    stream : 6\r\n    function : 11\r\n}\r\n";
    for (int way = 0; way < 4; ++way) {
        const bool compared = way % 2, new_setting = way / 2;
        SCOPED_TRACE(std::string(compared ? "compared" : "not compared") +
                     (new_setting ? ", new setting" : ", reset only"));
        std::string dir = scratch_dir("edit_reset_all");
        load_source(dir, source);
        if (HasFatalFailure()) return;
        const std::string path = dir + "/eq.txt";
        if (compared) {
            ASSERT_EQ(ZorCompareEqInfo(path.c_str()), 1);
        }
        ASSERT_EQ(GemResetAllSpoolInfo(0), 0);
        const int32_t f13[] = {13};
        if (new_setting) {
            ASSERT_EQ(GemSetSpoolInfo(0, 6, 1, f13), 0);
        }
        bool edited = false;
        const std::string out = save(path, &edited);
        EXPECT_TRUE(edited);
        EXPECT_EQ(out.find("SP_6"), std::string::npos) << out;
        EXPECT_EQ(out.find("262"), std::string::npos) << out;
        EXPECT_NE(out.find("// the spool\r\n"), std::string::npos) << out;
        CompileResult again = compile(dir, out, "again");
        ASSERT_EQ(again.errors, 0) << again.output << out;
        std::string error;
        ASSERT_GE(load_fil(dir, again.fil, &error), 0) << error;
        int32_t functions[4] = {};
        EXPECT_EQ(GemGetSpoolInfo(0, 6, functions, 4), new_setting ? 1 : 0);
        if (new_setting) {
            EXPECT_EQ(functions[0], 13);
        }
        std::filesystem::remove_all(dir);
    }
}

// The lines of `text`, line ends dropped.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
        at = end + 1;
    }
    return out;
}

template <class Rec, class Key>
void soft_delete(int (*get)(int, Key, Rec*), int (*set)(int, const Rec*),
                 std::type_identity_t<Key> key) {
    Rec r;
    ASSERT_EQ(get(0, key, &r), 0);
    r.deleted = 1;
    EXPECT_EQ(set(0, &r), 0) << last_error();
    release(&r);
}

// Deleting the first definition of each kind of the sample leaves every
// comment (the section headings above them) where it was; a comment that
// names a deleted definition goes with it, from that line down.
TEST(SourceEdit, ADeletedBlockTakesOnlyTheCommentsThatNameIt) {
    const std::string sample = read_file(std::string(ZOR_SOURCE_DIR) + "/examples/equipment.txt");
    const std::string note = "// AL_VACUUM_LEAK: raised on a leak,\r\n// cleared by hand\r\n";
    const std::string anchor = "def_alarm AL_VACUUM_LEAK {";
    std::string source = sample;
    ASSERT_NE(source.find(anchor), std::string::npos);
    source.insert(source.find(anchor), "// about AL_VACUUM_LEAK_OLD, gone\r\n" + note);
    std::string dir = scratch_dir("edit_headings");
    load_source(dir, source);
    if (HasFatalFailure()) return;
    const std::string path = dir + "/eq.txt";
    ASSERT_EQ(ZorCompareEqInfo(path.c_str()), 1);

    soft_delete(GemGetEcInfo, GemSetEcInfo, 0x3E9);
    soft_delete(GemGetSvInfo, GemSetSvInfo, 2001);
    soft_delete(GemGetDvInfo, GemSetDvInfo, 3001);
    soft_delete(GemGetRpInfo, GemSetRpInfo, 4001);
    soft_delete(GemGetCeInfo, GemSetCeInfo, 5001);
    soft_delete(GemGetAlInfo, GemSetAlInfo, 6001);
    soft_delete(GemGetAlInfo, GemSetAlInfo, 6002);
    soft_delete(GemGetPpInfo, GemSetPpInfo, "SIO2_100NM");
    soft_delete(GemGetFppInfo, GemSetFppInfo, "FPP_STD");
    soft_delete(GemGetRcpInfo, GemSetRcpInfo, "RCP_SIO2_STD");
    soft_delete(GemGetTrInfo, GemSetTrInfo, "TRACE_CHAMBER");
    ASSERT_EQ(GemResetSpoolInfo(0, 5), 0);
    if (HasFatalFailure()) return;
    bool edited = false;
    const std::string out = save(path, &edited);
    EXPECT_TRUE(edited);

    std::vector<std::string> comments;
    for (const std::string& line : lines_of(sample))
        if (line.rfind("//", 0) == 0) comments.push_back(line);
    ASSERT_GE(comments.size(), 20u);
    std::vector<std::string> kept;
    for (const std::string& line : lines_of(out))
        if (line.rfind("//", 0) == 0) kept.push_back(line);
    comments.insert(
        comments.begin() +
            (std::find(comments.begin(), comments.end(), "// \x83\x41\x83\x89\x81\x5b\x83\x80") -
             comments.begin()) +
            2,
        "// about AL_VACUUM_LEAK_OLD, gone");
    EXPECT_EQ(kept, comments) << out;
    EXPECT_EQ(out.find(note), std::string::npos) << out;
    EXPECT_EQ(out.find("cleared by hand"), std::string::npos) << out;
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zor::edit::test
