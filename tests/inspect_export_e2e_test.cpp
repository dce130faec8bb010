// ZorInspect export and diff run as a user runs them: the sample equipment
// in every format against the reviewed golden files, the JSON against its
// checked-in schema, Shift-JIS texts coming out as UTF-8, one pair of
// sources with every kind of change, and the exit statuses.
//
// ZOR_UPDATE_GOLDEN=1 rewrites the golden files from this build; review
// the change before committing it.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "inspect/utf8_text.h"
#include "tests/compile_run.h"
#include "tests/inspect_run.h"
#include "tests/json_schema.h"

namespace zor::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = ZOR_SOURCE_DIR;
const fs::path kGolden = kSource / "tests" / "golden";

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The UTF-8 literals of this file as the definition source holds them.
std::string sjis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 1, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    char* to = out.data();
    size_t to_left = out.size();
    size_t r = iconv(cd, &in, &in_left, &to, &to_left);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) throw std::runtime_error("not convertible: " + utf8);
    out.resize(out.size() - to_left);
    return out;
}

std::string utf8(const std::string& text) { return inspect::Utf8Converter()(text); }

// Compares with a golden file, or rewrites it when asked to.
void expect_golden(const std::string& actual, const fs::path& golden) {
    if (std::getenv("ZOR_UPDATE_GOLDEN")) {
        fs::create_directories(golden.parent_path());
        std::ofstream(golden, std::ios::binary) << actual;
        return;
    }
    ASSERT_TRUE(fs::exists(golden)) << golden;
    EXPECT_EQ(actual, read_file(golden)) << "differs from " << golden;
}

class InspectExport : public ::testing::Test {
  protected:
    CompileRun run;
    void compile_sample() {
        run.write("equipment.txt", read_file(kSource / "examples" / "equipment.txt"));
        ASSERT_EQ(run.compile("equipment.txt"), 0) << run.output();
    }
    void compile(const std::string& name, const std::string& utf8_source) {
        run.write(name, sjis(crlf(utf8_source)));
        ASSERT_EQ(run.compile(name), 0) << run.output();
    }
};

TEST_F(InspectExport, EachFormatOfTheSampleEquipmentMatchesItsGoldenFile) {
    compile_sample();
    for (auto [format, golden] : {std::pair{"json", "equipment.json"},
                                  {"markdown", "equipment.md"},
                                  {"html", "equipment.html"}}) {
        InspectResult r = run_inspect(run, std::string("export equipment.fil --format ") + format);
        EXPECT_EQ(r.status, 0) << format << r.err;
        EXPECT_EQ(r.err, "");
        expect_golden(r.out, kGolden / golden);
        // -o writes the same bytes to a file and nothing to standard output.
        InspectResult to_file = run_inspect(
            run, std::string("export equipment.fil --format ") + format + " -o out." + format);
        EXPECT_EQ(to_file.status, 0);
        EXPECT_EQ(to_file.out, "");
        EXPECT_EQ(run.read(std::string("out.") + format), r.out) << format;
    }
    InspectResult csv = run_inspect(run, "export equipment.fil --format csv -o csv");
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out, "");
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(run.dir() / "csv"))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"al.csv",
                                               "ce.csv",
                                               "ce_reports.csv",
                                               "dvval.csv",
                                               "ec.csv",
                                               "fpp.csv",
                                               "fpp_params.csv",
                                               "pp.csv",
                                               "rcp.csv",
                                               "rcp_params.csv",
                                               "rp.csv",
                                               "rp_variables.csv",
                                               "spool.csv",
                                               "spool_functions.csv",
                                               "sv.csv",
                                               "trace.csv",
                                               "trace_variables.csv",
                                               "variable_elements.csv",
                                               "variable_events.csv",
                                               "variable_limits.csv"}));
    for (const auto& f : files) expect_golden(run.read("csv/" + f), kGolden / "equipment-csv" / f);
}

TEST_F(InspectExport, TheJsonOfTheSampleFollowsTheSchemaAndTheValidatorCatchesFaults) {
    compile_sample();
    JsonValue schema = parse_json(read_file(kSource / "inspect" / "export-schema.json"));
    InspectResult r = run_inspect(run, "export equipment.fil --format json");
    JsonValue doc = parse_json(r.out);
    EXPECT_EQ(validate_json(doc, schema), std::vector<std::string>{});
    EXPECT_EQ(
        validate_with_jsonschema(r.out, (kSource / "inspect" / "export-schema.json").string()),
        std::vector<std::string>{});

    // Every kind is present, and the links the sample makes resolve.
    const JsonValue& defs = *doc.member("definitions");
    ASSERT_EQ(defs.members.size(), 11u);
    const JsonValue& process_end = defs.member("ce")->items.at(1);
    EXPECT_EQ(process_end.member("name")->text, "CE_PROCESS_END");
    const JsonValue& chamber = process_end.member("reports")->items.at(1);
    EXPECT_EQ(chamber.member("name")->text, "RP_CHAMBER");
    EXPECT_EQ(chamber.member("id")->number, 4003);

    // The same document made wrong in three ways is refused three times.
    JsonValue bad = doc;
    auto& ec = bad.members[2].second.members[0].second.items.at(0).members;
    ec.erase(ec.begin() + 1);                     // no "name"
    ec.push_back({"colour", JsonValue{}});        // a key the schema does not know
    ec[0].second.type = JsonValue::Type::String;  // "id" not a number
    auto faults = validate_json(bad, schema);
    EXPECT_EQ(faults, (std::vector<std::string>{"/definitions/ec/0: missing key name",
                                                "/definitions/ec/0: unexpected key colour",
                                                "/definitions/ec/0/id: wrong type"}));
}

TEST_F(InspectExport, ShiftJisTextsWithA5cTrailByteComeOutAsUtf8InEveryFormat) {
    // ソ (83 5C) and 表 (95 5C) end in the byte of a backslash; the escape
    // "\\" of the source stays two backslashes; a dangling link is null.
    compile(
        "eq.txt",
        "def_ce CE_A {\n  ceid : 1\n}\n"
        "def_alarm AL_S {\n  alid : 7\n  alcd : 0x81\n  altx : \"ソフト表示, \\\\ \\\"異常\\\"\"\n"
        "  ce_on : CE_A\n  ce_off : CE_GONE\n}\n");
    ASSERT_NE(run.read("eq.fil").find("\x83\x5c\x83\x74\x83\x67\x95\x5c"), std::string::npos);
    const std::string text = "ソフト表示, \\\\ \\\"異常\\\"";

    InspectResult json = run_inspect(run, "export eq.fil --format json");
    const JsonValue alarm = parse_json(json.out).member("definitions")->member("al")->items.at(0);
    EXPECT_EQ(alarm.member("text")->text, text);
    EXPECT_EQ(alarm.member("category")->text, "personal safety");
    EXPECT_EQ(alarm.member("set_event")->member("id")->number, 1);
    EXPECT_EQ(alarm.member("clear_event")->member("name")->text, "CE_GONE");
    EXPECT_EQ(alarm.member("clear_event")->member("id")->type, JsonValue::Type::Null);

    ASSERT_EQ(run_inspect(run, "export eq.fil --format csv -o csv").status, 0);
    EXPECT_EQ(run.read("csv/al.csv"),
              "\xEF\xBB\xBFid,name,code,category,text,set_event,clear_event,enabled\r\n"
              "7,AL_S,0x81,personal safety,\"ソフト表示, \\\\ \\\"\"異常\\\"\"\",CE_A (1),"
              "CE_GONE (not defined),\r\n");

    InspectResult html = run_inspect(run, "export eq.fil --format html");
    EXPECT_NE(html.out.find("<td>ソフト表示, \\\\ \\&quot;異常\\&quot;</td>"), std::string::npos);
    InspectResult md = run_inspect(run, "export eq.fil --format markdown");
    EXPECT_NE(md.out.find("| ソフト表示, \\\\\\\\ \\\\\"異常\\\\\" |"), std::string::npos)
        << md.out;
}

// One pair of sources with every kind of change.
const char* kOld =
    "REV_NO = 2\n"
    "def_ec EC_TIMEOUT {\n  ecid : 1001\n  format : U2\n  units : s\n  max : 120\n}\n"
    "def_sv SV_TEMP {\n  svid : 2003\n  format : F4\n  units : \"℃\"\n  max : 500\n"
    "  limit : 1, 400, 420\n}\n"
    "def_sv SV_OLD {\n  svid : 2010\n  format : U1\n}\n"
    "def_dv DV_LOT {\n  dvid : 3001\n  format : A[1..32]\n}\n"
    "def_report RP_LOT {\n  rptid : 11\n  vname : DV_LOT\n}\n"
    "def_report RP_TEMP {\n  rptid : 12\n  vname : SV_TEMP\n}\n"
    "def_ce CE_LOT_START {\n  ceid : 5001\n  rptname : RP_LOT\n  rptname : RP_TEMP\n}\n"
    "def_alarm AL_HEAT {\n  alid : 6001\n  alcd : 0x04\n  altx : \"ヒーター異常\"\n"
    "  ce_on : CE_LOT_START\n}\n"
    "def_spool S6 {\n  stream : 6\n  function : 11\n}\n"
    "def_pp PP_A {\n  ppid : A[1..80] P1\n  ppbody : A[1..256] \"C:\\\\PP\\\\A.PPB\"\n}\n";

const char* kNew =
    "REV_NO = 2\n"
    "def_ec EC_TIMEOUT {\n  ecid : 1001\n  format : U2\n  units : s\n  max : 300\n}\n"
    "def_sv SV_TEMP {\n  svid : 2003\n  format : F4\n  units : \"℃\"\n  max : 450\n"
    "  limit : 1, 400, 430\n}\n"
    "def_sv SV_NEW {\n  svid : 2011\n  format : U1\n}\n"
    "def_dv DV_LOT_ID {\n  dvid : 3001\n  format : A[1..32]\n}\n"
    "def_report RP_LOT {\n  rptid : 11\n  vname : DV_LOT_ID\n}\n"
    "def_report RP_TEMP {\n  rptid : 12\n  vname : SV_TEMP\n}\n"
    "def_report RP_NEW {\n  rptid : 13\n  vname : SV_NEW\n}\n"
    "def_ce CE_LOT_START {\n  ceid : 5001\n  rptname : RP_TEMP\n  rptname : RP_NEW\n}\n"
    "def_alarm AL_HEAT {\n  alid : 6001\n  alcd : 0x04\n  altx : \"ヒーター表示異常\"\n"
    "  ce_on : CE_LOT_START\n  ce_off : CE_LOT_START\n}\n"
    "def_spool S6 {\n  stream : 6\n  function : 11\n  function : 13\n}\n"
    "def_pp PP_A {\n  ppid : A[1..80] P1\n  ppbody : A[1..256] \"C:\\\\PP\\\\B.PPB\"\n}\n";

TEST_F(InspectExport, DiffListsEveryKindOfChangeSortedByKindThenId) {
    compile("old.txt", kOld);
    compile("new.txt", kNew);
    InspectResult r = run_inspect(run, "diff old.fil new.fil");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    const std::string expected =
        "EC 1001 EC_TIMEOUT: max 120 → 300\n"
        "SV 2003 SV_TEMP: max 500 → 450\n"
        "SV 2003 SV_TEMP: limits 1: 400 .. 420 → 1: 400 .. 430\n"
        "SV 2010 SV_OLD: removed\n"
        "SV 2011 SV_NEW: added\n"
        "DVVAL 3001 DV_LOT_ID: renamed DV_LOT → DV_LOT_ID\n"
        "CE 5001 CE_LOT_START: report RP_LOT (11) unlinked\n"
        "CE 5001 CE_LOT_START: report RP_NEW (13) linked\n"
        "RP 13 RP_NEW: added\n"
        "AL 6001 AL_HEAT: text ヒーター異常 → ヒーター表示異常\n"
        "AL 6001 AL_HEAT: clear event (none) → CE_LOT_START (5001)\n"
        "SPOOL 6 S6: functions 11 → 11; 13\n"
        "PP P1 PP_A: body C:\\\\PP\\\\A.PPB → C:\\\\PP\\\\B.PPB\n";
    EXPECT_EQ(r.out, sjis(expected));  // Shift-JIS, as the files hold the texts

    // The JSON holds the same changes, one object per line, and follows
    // its schema.
    InspectResult json = run_inspect(run, "diff --json old.fil new.fil");
    EXPECT_EQ(json.status, 1);
    JsonValue doc = parse_json(json.out);
    EXPECT_EQ(validate_json(doc, parse_json(read_file(kSource / "inspect" / "diff-schema.json"))),
              std::vector<std::string>{});
    EXPECT_EQ(
        validate_with_jsonschema(json.out, (kSource / "inspect" / "diff-schema.json").string()),
        std::vector<std::string>{});
    std::string rebuilt;
    for (const auto& c : doc.member("changes")->items) {
        auto text = [&](const char* key) { return c.member(key)->text; };
        std::string head = text("kind") + " " + text("id") + " " + text("name") + ": ";
        std::string change = text("change");
        if (change == "added" || change == "removed")
            rebuilt += head + change + "\n";
        else if (change == "renamed")
            rebuilt += head + "renamed " + text("old") + " → " + text("new") + "\n";
        else if (change == "changed")
            rebuilt += head + text("field") + " " +
                       (c.member("old")->type == JsonValue::Type::Null ? "(none)" : text("old")) +
                       " → " + text("new") + "\n";
        else
            rebuilt += head + text("field") + " " + text(change == "linked" ? "new" : "old") + " " +
                       change + "\n";
    }
    EXPECT_EQ(rebuilt, expected);

    // Backwards, every change turns round.
    InspectResult back = run_inspect(run, "diff new.fil old.fil");
    EXPECT_EQ(back.status, 1);
    EXPECT_NE(utf8(back.out).find("SV 2011 SV_NEW: removed\n"), std::string::npos);
    EXPECT_NE(utf8(back.out).find("CE 5001 CE_LOT_START: report RP_LOT (11) linked\n"),
              std::string::npos);
}

TEST_F(InspectExport, ExitStatusesOfDiffAndExport) {
    compile("old.txt", kOld);
    InspectResult same = run_inspect(run, "diff old.fil old.fil");
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    InspectResult same_json = run_inspect(run, "diff old.fil old.fil --json");
    EXPECT_EQ(same_json.status, 0);
    EXPECT_TRUE(parse_json(same_json.out).member("changes")->items.empty());

    run.write("broken.fil", "RP: NAME00000004RP_AID  0000zz01\r\n");
    InspectResult broken = run_inspect(run, "diff old.fil broken.fil");
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err,
              "ZorInspect: broken.fil: damaged object file, record RP \"RP_A\" at line 1, byte 25: "
              "bad hex digits in field \"ID  \"\n");
    EXPECT_EQ(run_inspect(run, "diff none.fil old.fil").err,
              "ZorInspect: none.fil: cannot open none.fil\n");
    EXPECT_EQ(run_inspect(run, "export broken.fil --format json").status, 2);
    EXPECT_EQ(run_inspect(run, "export old.fil --format json -o no/such/dir/x.json").status, 2);
    // -o replaces the file whole: a link there is written through and stays,
    // a directory in the way is refused with its cause.
    run.write("kept.json", "old");
    fs::create_symlink("kept.json", run.dir() / "link.json");
    EXPECT_EQ(run_inspect(run, "export old.fil --format json -o link.json").status, 0);
    EXPECT_TRUE(fs::is_symlink(run.dir() / "link.json"));
    EXPECT_EQ(run.read("kept.json"), run_inspect(run, "export old.fil --format json").out);
    fs::create_directories(run.dir() / "dir.json");
    fs::create_directories(run.dir() / "csv" / "al.csv");
    for (auto [format, path] :
         {std::pair{"json -o dir.json", "dir.json"}, {"csv -o csv", "csv/al.csv"}}) {
        InspectResult in_the_way =
            run_inspect(run, std::string("export old.fil --format ") + format);
        EXPECT_EQ(in_the_way.status, 2);
        EXPECT_EQ(in_the_way.err,
                  std::string("ZorInspect: cannot write ") + path + ": is a directory\n");
    }

    for (const char* bad :
         {"diff old.fil", "diff a.fil b.fil c.fil", "diff old.fil old.fil --frobnicate",
          "export old.fil", "export old.fil --format pdf", "export old.fil --format csv",
          "export --format json", "export old.fil --format json -o"}) {
        InspectResult r = run_inspect(run, bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.out, "") << bad;
        EXPECT_NE(r.err, "") << bad;
    }
}

}  // namespace
}  // namespace zor::testing
