// ZorInspect on sources where an answer is easy to get wrong: ID 0, names
// made of digits, case-only changes of text IDs, values the compiler
// misreads, texts holding separators or Markdown, and the JSON of every
// command read by a real JSON Schema validator and a real Markdown reader.
#include <gtest/gtest.h>

#include <cstdio>
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

const fs::path kSchemas = fs::path(ZOR_SOURCE_DIR) / "inspect";

std::string utf8(const std::string& sjis) { return inspect::Utf8Converter()(sjis); }

class InspectTruth : public ::testing::Test {
  protected:
    CompileRun run;
    void compile(const std::string& name, const std::string& source) {
        run.write(name, crlf(source));
        ASSERT_EQ(run.compile(name), 0) << run.output();
    }
    InspectResult inspect(const std::string& arguments) { return run_inspect(run, arguments); }
    // Runs the command with --json and validates what it printed.
    JsonValue json(const std::string& arguments, const char* schema) {
        InspectResult r = inspect(arguments);
        EXPECT_EQ(validate_with_jsonschema(r.out, (kSchemas / schema).string()),
                  std::vector<std::string>{})
            << arguments;
        return parse_json(r.out);
    }
};

// ID 0 is an ID; "100" and "-5" are names that name no event, although an
// event with ID 5 is named CE_100.
const char* kIdsAndNames =
    "REV_NO = 2\n"
    "def_sv SV_0 {\n  svid : 0\n  format : U4\n}\n"
    "def_report RP_1 {\n  rptid : 0\n  vname : SV_0\n}\n"
    "def_ce CE_0 {\n  ceid : 0\n  rptname : RP_1\n}\n"
    "def_ce CE_100 {\n  ceid : 5\n}\n"
    "def_alarm AL_A {\n  alid : 1\n  alcd : 1\n  altx : A\n  ce_on : CE_0\n  ce_off : 100\n}\n"
    "def_alarm AL_B {\n  alid : 2\n  alcd : 1\n  altx : B\n  ce_on : CE_0\n  ce_off : -5\n}\n";

TEST_F(InspectTruth, CheckExportAndDiffResolveLinksByNameAndAgree) {
    compile("eq.txt", kIdsAndNames);
    const std::string expected =
        "eq.fil: error E101: AL 1 AL_A: clear event 100 is not defined\n"
        "eq.fil: error E101: AL 2 AL_B: clear event -5 is not defined\n"
        "eq.fil: 2 errors, 0 warnings (6 definitions)\n";
    InspectResult check = inspect("check eq.fil");
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out, expected);
    // The source adds lines, nothing else.
    InspectResult lined = inspect("check eq.fil --source eq.txt");
    EXPECT_EQ(lined.out,
              "eq.txt:17: error E101: AL 1 AL_A: clear event 100 is not defined\n"
              "eq.txt:24: error E101: AL 2 AL_B: clear event -5 is not defined\n"
              "eq.fil: 2 errors, 0 warnings (6 definitions)\n");

    JsonValue doc = json("export eq.fil --format json", "export-schema.json");
    const JsonValue& defs = *doc.member("definitions");
    const JsonValue& report = defs.member("ce")->items.at(0).member("reports")->items.at(0);
    EXPECT_EQ(report.member("name")->text, "RP_1");
    EXPECT_EQ(report.member("id")->type, JsonValue::Type::Number);
    EXPECT_EQ(report.member("id")->number, 0);
    for (size_t i = 0; i < 2; ++i) {
        const JsonValue& alarm = defs.member("al")->items.at(i);
        EXPECT_EQ(alarm.member("set_event")->member("id")->number, 0);
        EXPECT_EQ(alarm.member("clear_event")->member("id")->type, JsonValue::Type::Null);
    }
    EXPECT_EQ(defs.member("al")->items.at(1).member("clear_event")->member("name")->text, "-5");
    ASSERT_EQ(inspect("export eq.fil --format markdown -o eq.md").status, 0);
    EXPECT_NE(run.read("eq.md").find("RP\\_1 (0)"), std::string::npos);
    EXPECT_NE(run.read("eq.md").find("| 100 (not defined) |"), std::string::npos);

    // Renaming the ID-0 variable is a rename, not an unlink and a link.
    std::string renamed = kIdsAndNames;
    for (size_t at; (at = renamed.find("SV_0")) != std::string::npos;)
        renamed.replace(at, 4, "SV_ZERO");
    compile("new.txt", renamed);
    InspectResult diff = inspect("diff eq.fil new.fil");
    EXPECT_EQ(utf8(diff.out), "SV 0 SV_ZERO: renamed SV_0 → SV_ZERO\n");
}

TEST_F(InspectTruth, DiffReportsACaseOnlyChangeOfATextIdAsAChangeOfItsId) {
    const char* kPrograms =
        "REV_NO = 2\n"
        "def_pp PP_A {\n  ppid : A[20] PROG01\n  ppbody : A[1..80] BODY\n}\n"
        "def_rcp RCP_A {\n  rcpid : RCP01\n}\n"
        "def_trace TR_A {\n  trid : A[1..8] TRC01\n  dsper : 000010\n  totsmp : 1\n"
        "  repgsz : 1\n}\n";
    compile("old.txt", kPrograms);
    std::string lower = kPrograms;
    for (const char* id : {"PROG01", "RCP01", "TRC01"}) {
        size_t at = lower.find(id);
        for (size_t i = 0; id[i]; ++i) lower[at + i] = static_cast<char>(std::tolower(id[i]));
    }
    compile("new.txt", lower);
    InspectResult r = inspect("diff old.fil new.fil");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(utf8(r.out),
              "PP prog01 PP_A: id PROG01 → prog01\n"
              "RCP rcp01 RCP_A: id RCP01 → rcp01\n"
              "TRACE trc01 TR_A: id TRC01 → trc01\n");
    JsonValue doc = json("diff --json old.fil new.fil", "diff-schema.json");
    const JsonValue& change = doc.member("changes")->items.at(0);
    EXPECT_EQ(change.member("field")->text, "id");
    EXPECT_EQ(change.member("old")->text, "PROG01");
    EXPECT_EQ(change.member("new")->text, "prog01");
}

TEST_F(InspectTruth, AValueTheCompilerMisreadsIsQuotedAsWrittenWithWhatTheEquipmentReads) {
    compile("eq.txt",
            "REV_NO = 2\n"
            "def_sv SV_I2 {\n  svid : 1\n  format : I2\n  min : -100\n  max : 100\n"
            "  nominal : 65350\n  limit : A, 1, 2\n  limit : B, 3, 4\n}\n"
            "def_sv SV_U4 {\n  svid : 2\n  format : U4\n  min : bZJ75\n  max : -5\n}\n"
            "def_sv SV_OK {\n  svid : 3\n  format : F8\n  min : 1e-3\n  max : 2.0E2\n}\n"
            "def_sv SV_U8 {\n  svid : 4\n  format : U8\n  max : 18446744073709551615\n}\n"
            "def_sv SV_BO {\n  svid : 5\n  format : BOOLEAN\n  min : FALSE\n  max : TRUE\n}\n");
    InspectResult r = inspect("check eq.fil");
    EXPECT_EQ(r.out,
              "eq.fil: error E110: SV 1 SV_I2: limit ID \"A\" is not a number of U1 (the equipment "
              "reads 0)\n"
              "eq.fil: error E110: SV 1 SV_I2: limit ID \"B\" is not a number of U1 (the equipment "
              "reads 0)\n"
              "eq.fil: error E110: SV 1 SV_I2: nominal \"65350\" does not fit I2 (the equipment "
              "reads -186)\n"
              "eq.fil: error E110: SV 2 SV_U4: minimum \"bZJ75\" is not a number of U4 (the "
              "equipment reads 0)\n"
              "eq.fil: error E110: SV 2 SV_U4: maximum \"-5\" does not fit U4 (the equipment "
              "reads 4294967291)\n"
              "eq.fil: 5 errors, 0 warnings (5 definitions)\n");
}

TEST_F(InspectTruth, CheckJsonIsUtf8AndNamesTheSpoolAsTheTextDoes) {
    compile("eq.txt",
            "REV_NO = 2\n"
            "def_ce CE_A {\n  ceid : 1\n  rptname : \x95\xf1\x8d\x90\n}\n"
            "def_spool SPOOL_S6 {\n  stream : 6\n  function : 0\n  function : 12\n}\n");
    InspectResult text = inspect("check eq.fil");
    EXPECT_EQ(utf8(text.out),
              "eq.fil: error E101: CE 1 CE_A: report 報告 is not defined\n"
              "eq.fil: error E111: SPOOL 6 SPOOL_S6: S6F0 aborts a transaction; it is never "
              "spooled\n"
              "eq.fil: error E104: SPOOL 6 SPOOL_S6: S6F12 is a reply; only primary messages "
              "spool\n"
              "eq.fil: 3 errors, 0 warnings (2 definitions)\n");
    JsonValue doc = json("check --json eq.fil", "check-schema.json");
    ASSERT_EQ(doc.items.size(), 3u);
    EXPECT_EQ(doc.items[0].member("text")->text, "report 報告 is not defined");
    EXPECT_EQ(doc.items[1].member("name")->text, "SPOOL_S6");
    EXPECT_EQ(doc.items[1].member("code")->text, "E111");
}

// Every table cell of a Markdown document as pandoc's reader sees it, one
// row per line, cells separated by a tab; emphasis, strike-through and raw
// HTML show as marks, so a name read as markup cannot pass unseen.
constexpr const char* kCells = R"(
import json, subprocess, sys
ast = json.loads(subprocess.run(["pandoc", "-f", sys.argv[1], "-t", "json", sys.argv[2]],
                                capture_output=True, check=True).stdout)
def inline(i):
    t, c = i["t"], i.get("c")
    if t == "Str": return c
    if t in ("Space", "SoftBreak"): return " "
    if t == "LineBreak": return "\n"
    if t == "Code": return c[1]
    if t in ("Emph", "Strong", "Strikeout", "Underline", "Superscript", "Subscript"):
        return "<" + t + ">" + "".join(map(inline, c)) + "</" + t + ">"
    if t == "RawInline": return "<Raw " + c[1] + ">"
    if t == "Link": return "<Link>" + "".join(map(inline, c[1]))
    if t == "Quoted": return '"' + "".join(map(inline, c[1])) + '"'
    return "<" + t + ">"
def cell(c): return "".join("".join(map(inline, b["c"])) for b in c[4] if b["t"] in ("Plain", "Para"))
for block in ast["blocks"]:
    if block["t"] != "Table": continue
    for body in block["c"][4]:
        for row in body[3]:
            print("\t".join(cell(c) for c in row[1]))
)";

TEST_F(InspectTruth, MarkdownCellsReadBackAsTheJsonTextsInGfmAndPandocsMarkdown) {
    compile("eq.txt",
            "REV_NO = 2\n"
            "def_ce _EMPH_ {\n  ceid : 1\n}\n"
            "def_ce __INIT__ {\n  ceid : 2\n}\n"
            "def_alarm ~~gone~~ {\n  alid : 1\n  alcd : 1\n  altx : \"&amp; <b>x</b> *y* `z` "
            "[l](u) #1 | a\\\\b\"\n  ce_on : _EMPH_\n  ce_off : __INIT__\n}\n");
    ASSERT_EQ(inspect("export eq.fil --format markdown -o eq.md").status, 0);
    run.write("cells.py", kCells);
    JsonValue doc = json("export eq.fil --format json", "export-schema.json");
    const JsonValue& alarm = doc.member("definitions")->member("al")->items.at(0);
    std::string expected = "1\t" + alarm.member("name")->text + "\t1\tpersonal safety\t" +
                           alarm.member("text")->text + "\t_EMPH_ (1)\t__INIT__ (2)\t";
    for (const char* reader : {"gfm", "markdown"}) {
        std::string command = "cd '" + run.dir().string() + "' && python3 cells.py " + reader +
                              " eq.md > cells.txt 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << run.read("cells.txt");
        std::string cells = run.read("cells.txt");
        EXPECT_NE(cells.find("1\t_EMPH_\t\t\n"), std::string::npos) << reader << "\n" << cells;
        EXPECT_NE(cells.find("2\t__INIT__\t\t\n"), std::string::npos) << reader << "\n" << cells;
        EXPECT_NE(cells.find(expected + "\n"), std::string::npos) << reader << "\n" << cells;
    }
}

TEST_F(InspectTruth, CsvSummariesQuoteTextsWithSeparatorsAndChildTablesListEveryEntry) {
    compile("eq.txt",
            "REV_NO = 2\n"
            "def_fpp FPP_A {\n  ppid : A[1..80] F1\n  mdln : M\n  softrev : V\n"
            "  ccode : A[8] DEPO\n  pparam : F4[1] 133.3\n  pparam : A[1..16] \"SiH4, N2O\"\n"
            "  ccode : A[8] PURGE\n}\n"
            "def_rcp RCP_A {\n  rcpid : R1\n  rcpparname : \"\"\n  rcpparname : T\n"
            "  rcpparval : U4[1] 600\n}\n");
    ASSERT_EQ(inspect("export eq.fil --format csv -o csv").status, 0);
    EXPECT_EQ(run.read("csv/fpp.csv").substr(run.read("csv/fpp.csv").find("\r\n") + 2),
              "F1,FPP_A,A,16,2,80,M,V,\"A[8] DEPO: F4[1] 133.3, A[1..16] \"\"SiH4, N2O\"\"\n"
              "A[8] PURGE\"\r\n");
    EXPECT_EQ(run.read("csv/fpp_params.csv"),
              "\xEF\xBB\xBFppid,position,code,code_format,code_format_code,code_size,"
              "code_max_size,parameters_position,value,value_format,value_format_code,value_size,"
              "value_max_size\r\n"
              "F1,1,DEPO,A,16,8,8,1,133.3,F4,36,1,1\r\n"
              "F1,1,DEPO,A,16,8,8,2,\"SiH4, N2O\",A,16,1,16\r\n"
              "F1,2,PURGE,A,16,8,8,,,,,,\r\n");
    EXPECT_EQ(run.read("csv/rcp_params.csv"),
              "\xEF\xBB\xBFrcpid,position,name,value,value_format,value_format_code,value_size\r\n"
              "R1,1,,,,,\r\n"
              "R1,2,T,600,U4,44,1\r\n");
    EXPECT_NE(run.read("csv/rcp.csv").find(",\"\"\"\"\"\nT = U4[1] 600\"\r\n"), std::string::npos)
        << run.read("csv/rcp.csv");
}

}  // namespace
}  // namespace zor::testing

namespace zor::testing {
namespace {

// Builds the ID files the compile wrote beside `stem`.txt: the .h with the
// C compiler (a redefinition is an error), the .cs with Mono's C# compiler.
struct IdFileBuilds {
    bool h = false, cs = false;
    std::string log;
};

IdFileBuilds build_id_files(CompileRun& run, const std::string& stem) {
    run.write("use_ids.c", "#include \"" + stem + ".h\"\nint main(void) { return 0; }\n");
    std::string cd = "cd '" + run.dir().string() + "' && ";
    IdFileBuilds b;
    b.h = std::system((cd + "cc -Werror -fsyntax-only use_ids.c > h.log 2>&1").c_str()) == 0;
    b.cs =
        std::system(
            (cd + "mcs -target:library -out:ids.dll " + stem + ".cs > cs.log 2>&1").c_str()) == 0;
    b.log = run.read("h.log") + run.read("cs.log");
    return b;
}

TEST_F(InspectTruth, NamesThatBreakTheIdFilesAreWarnedAndTheFilesReallyFailToBuild) {
    compile("equipment.txt", [] {
        std::ifstream in(fs::path(ZOR_SOURCE_DIR) / "examples" / "equipment.txt", std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }());
    IdFileBuilds sample = build_id_files(run, "equipment");
    EXPECT_TRUE(sample.h && sample.cs) << sample.log;
    EXPECT_EQ(inspect("check equipment.fil").out.find("W213"), std::string::npos);

    compile("eq.txt",
            "REV_NO = 2\n"
            "def_sv SV_X {\n  svid : 1\n  format : U4\n}\n"
            "def_ce SV_X {\n  ceid : 2\n}\n"
            "def_report RP_X {\n  rptid : 3\n  vname : SV_X\n}\n"
            "def_ce CE_X {\n  ceid : 4\n  rptname : RP_X\n}\n");
    EXPECT_EQ(inspect("check eq.fil").out,
              "eq.fil: warning W213: CE 2 SV_X: the ID files define the name twice (also SV 1): "
              "the .cs and .vb do not build, the .h redefines it\n"
              "eq.fil: 0 errors, 1 warning (4 definitions)\n");
    IdFileBuilds collision = build_id_files(run, "eq");
    EXPECT_FALSE(collision.h) << collision.log;
    EXPECT_FALSE(collision.cs) << collision.log;
    EXPECT_NE(collision.log.find("already contains a definition"), std::string::npos)
        << collision.log;
}

}  // namespace
}  // namespace zor::testing
