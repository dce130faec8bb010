#include "inspect/source_index.h"

#include <gtest/gtest.h>

#include "inspect/finding_text.h"

namespace zor::inspect {
namespace {

const char* kSource =
    "// def_ce COMMENTED {\r\n"
    "REV_NO = 2\r\n"
    "def_report RP_A {\r\n"
    "    rptid : 1\r\n"
    "    vname : \"SV_X\"   // a comment\r\n"
    "    VNAME : SV_Y, SV_Z\r\n"
    "}\r\n"
    "\r\n"
    "  DEF_SPOOL SPOOL_6 {\r\n"
    "    stream : 262\r\n"
    "}\r\n"
    "def_msgfunc F {\r\n"
    "    func_name : X\r\n"
    "}\r\n"
    "def_alarm Al_Heat {\r\n"
    "    ce_off : CE_OFF\r\n"
    "}";

TEST(SourceIndex, FindsHeaderLinesByKindAndNameAndSpoolsByStream) {
    SourceIndex index;
    index.scan(kSource);
    const SourceBlock* rp = index.find(Kind::RP, "RP_A");
    ASSERT_NE(rp, nullptr);
    EXPECT_EQ(rp->line, 3);
    EXPECT_EQ(index.find(Kind::CE, "COMMENTED"), nullptr);
    EXPECT_EQ(index.find(Kind::CE, "RP_A"), nullptr);  // names are per kind

    const SourceBlock* sp = index.find_spool(6);  // 262 keeps its low eight bits
    ASSERT_NE(sp, nullptr);
    EXPECT_EQ(sp->name, "SPOOL_6");
    EXPECT_EQ(sp->line, 9);
    EXPECT_EQ(index.find_spool(7), nullptr);

    const SourceBlock* al = index.find(Kind::AL, "AL_HEAT");  // case folded as a fallback
    ASSERT_NE(al, nullptr);
    EXPECT_EQ(al->line, 15);
}

TEST(SourceIndex, AnUnreadableFileIsAReason) {
    SourceIndex index;
    std::string error;
    EXPECT_FALSE(index.read("/nonexistent/equipment.txt", error));
    EXPECT_EQ(error, "cannot open /nonexistent/equipment.txt");
}

TEST(FindingText, LinesNameTheSourceLineWhenKnownAndJsonKeepsShiftJisWhole) {
    Finding f{"E101", Severity::Error, Kind::CE, "5001", "CE_A", "report RP_X is not defined", 12};
    EXPECT_EQ(finding_line(f, "eq.fil", "eq.txt"),
              "eq.txt:12: error E101: CE 5001 CE_A: report RP_X is not defined");
    f.line = 0;
    f.severity = Severity::Warning;
    EXPECT_EQ(finding_line(f, "eq.fil", "eq.txt"),
              "eq.fil: warning E101: CE 5001 CE_A: report RP_X is not defined");
    Finding spool{"E103", Severity::Error, Kind::SP, "1", "", "text", 0};
    EXPECT_EQ(finding_line(spool, "eq.fil", ""), "eq.fil: error E103: SPOOL 1: text");

    // "ソ" is 0x83 0x5C: it comes out as UTF-8, its trail byte no backslash.
    f.name = "\x83\x5C\"";
    f.text = "a\x01";
    EXPECT_EQ(
        findings_json({f}),
        "[\n  {\"code\": \"E101\", \"severity\": \"warning\", \"kind\": \"CE\", \"id\": "
        "\"5001\", \"name\": \"\xE3\x82\xBD\\\"\", \"text\": \"a\\u0001\", \"line\": null}\n]\n");
    EXPECT_EQ(findings_json({}), "[]\n");
}

}  // namespace
}  // namespace zor::inspect
