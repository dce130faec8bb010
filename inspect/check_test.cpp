// Each rule on a small equipment built in memory as the object file holds
// it (texts as written, links by name): the finding it gives, and the near
// miss it lets pass.
#include "inspect/check.h"

#include <gtest/gtest.h>

#include "inspect/profile.h"
#include "inspect/source_index.h"
#include "zoredit/zoredit.h"

namespace zor::inspect {
namespace {

edit::Variable var(int32_t id, const std::string& name, int format = ZOR_FMT_U4) {
    edit::Variable v;
    v.id = id;
    v.name = name;
    v.form = format;
    v.size = 1;
    return v;
}

// A small consistent equipment: every rule passes it.
edit::Equipment clean() {
    edit::Equipment e;
    e.ec = {var(1001, "EC_TIMEOUT")};
    e.sv = {var(2001, "SV_TEMP", ZOR_FMT_F4)};
    e.dv = {var(3001, "DV_LOT", ZOR_FMT_A)};
    e.sv[0].events = {"CE_START"};
    e.ce = {{"CE_START", 5001, std::nullopt, {"RP_START"}},
            {"CE_SET", 5002, std::nullopt, {}},
            {"CE_CLEAR", 5003, std::nullopt, {}}};
    e.rp = {{"RP_START", 4001, {"SV_TEMP", "DV_LOT", "EC_TIMEOUT"}}};
    e.al = {{"AL_HEAT", 6001, "4", "heater", "CE_SET", "CE_CLEAR", std::nullopt}};
    e.sp = {{"SPOOL_6", 6, {11, 13}}};
    edit::Trace t;
    t.name = "TR_1";
    t.trid.text = "TRACE_1";
    t.dsper = "000010";
    t.totsmp = 600;
    t.repgsz = 10;
    t.svs = {"SV_TEMP"};
    e.tr = {t};
    return e;
}

std::vector<std::string> lines(const std::vector<Finding>& findings) {
    std::vector<std::string> out;
    for (const auto& f : findings)
        out.push_back(f.code + " " + kind_name(f.kind) + " " + f.id + " " + f.name + ": " + f.text);
    return out;
}

using Lines = std::vector<std::string>;

Lines checked(edit::Equipment e) { return lines(check(Snapshot(std::move(e)))); }

TEST(Check, TheCleanEquipmentPassesEveryRule) {
    EXPECT_EQ(checked(clean()), Lines{});
    EXPECT_EQ(summary(count(check(Snapshot(clean())))), "0 errors, 0 warnings");
}

TEST(Check, LinksResolveByNameOnlyWhateverTheIdAndNameNothingOnlyWhenNoDefinitionHasTheName) {
    edit::Equipment e = clean();
    // ID 0 is a real ID; a name made of digits is a name.
    e.rp.push_back({"RP_1", 0, {"SV_TEMP"}});
    e.ce.push_back({"CE_0", 0, std::nullopt, {"RP_1"}});
    e.ce.push_back({"CE_100", 5, std::nullopt, {}});
    e.al[0].ce_on = "CE_0";
    e.al[0].ce_off = "100";  // no event is named 100, though CE_100 has ID 5
    e.al.push_back({"AL_MINUS", 6002, "1", "", "ce_start", "-5", std::nullopt});
    e.ec[0].events = {"CE_NOPE"};
    e.sv[0].events = {"RP_START"};  // a report's name is no event
    e.ce[0].reports = {"RP_START", "4001"};
    e.rp[0].variables = {"SV_TEMP", "CE_START"};
    e.dv.push_back(var(3002, "DV_LIST", ZOR_FMT_L));
    e.dv.back().vids = {"sv_temp", "SV_GONE"};
    e.tr[0].svs = {"SV_TEMP", "2001"};
    EXPECT_EQ(checked(e), (Lines{
                              "E101 EC 1001 EC_TIMEOUT: event CE_NOPE is not defined",
                              "E101 SV 2001 SV_TEMP: event RP_START is not defined",
                              "E101 DVVAL 3002 DV_LIST: element SV_GONE is not defined",
                              "E101 CE 5001 CE_START: report 4001 is not defined",
                              "E101 RP 4001 RP_START: variable CE_START is not defined",
                              "E101 AL 6001 AL_HEAT: clear event 100 is not defined",
                              "E101 AL 6002 AL_MINUS: clear event -5 is not defined",
                              "E101 TRACE TRACE_1 TR_1: variable 2001 is not defined",
                          }));
}

TEST(Check, AMisspelledAlarmEventIsAnErrorWithoutTheSourceWhichOnlyAddsLines) {
    edit::Equipment e = clean();
    e.al = {{"AL_HEAT", 6001, "4", "", "CE_SETT", std::nullopt, std::nullopt}};
    Snapshot s(e);
    EXPECT_EQ(lines(check(s)), (Lines{"E101 AL 6001 AL_HEAT: set event CE_SETT is not defined",
                                      "W204 AL 6001 AL_HEAT: the alarm has no clear event"}));
    SourceIndex source;
    source.scan(
        "def_ce CE_START {\n  ceid : 5001\n}\n"
        "def_alarm AL_HEAT {\n  alid : 6001\n  ce_on : CE_SETT\n}\n");
    auto findings = check(s, &source);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(lines(findings), lines(check(s)));
    EXPECT_EQ(findings[0].line, 4);
    EXPECT_EQ(findings[1].line, 4);
}

TEST(Check, OneVidInTwoVariableKindsIsAnErrorOneNameInTwoAWarning) {
    edit::Equipment e = clean();
    e.sv.push_back(var(1001, "SV_TIMEOUT"));
    e.dv.push_back(var(1001, "DV_TIMEOUT"));
    e.dv.push_back(var(3009, "sv_temp"));
    EXPECT_EQ(checked(e),
              (Lines{
                  "W212 DVVAL 3009 sv_temp: the name is also SV SV_TEMP; links to it reach the SV",
                  "E102 SV 1001 SV_TIMEOUT: VID 1001 is also EC EC_TIMEOUT",
                  "E102 DVVAL 1001 DV_TIMEOUT: VID 1001 is also EC EC_TIMEOUT",
                  "E102 DVVAL 1001 DV_TIMEOUT: VID 1001 is also SV SV_TIMEOUT",
                  "W213 DVVAL 3009 sv_temp: the name differs from SV SV_TEMP only in case: the .vb "
                  "and .bas do not build",
              }));
    // CE, report and alarm IDs are their own numbers.
    e = clean();
    e.ce.push_back({"CE_1001", 1001, std::nullopt, {"RP_2001"}});
    e.rp.push_back({"RP_2001", 2001, {"SV_TEMP"}});
    EXPECT_EQ(checked(e), Lines{});
}

TEST(Check, SpoolingStreamOneARepliesOrAnAbortIsAnErrorNamedAsTheSourceNamesIt) {
    edit::Equipment e = clean();
    e.sp = {{"S1", 1, {1}}, {"S6", 6, {11, 12, 0}}, {"S10", 10, {1, 3, 5}}};
    EXPECT_EQ(checked(e), (Lines{
                              "E103 SPOOL 1 S1: stream 1 is never spooled, but has spooled "
                              "functions",
                              "E104 SPOOL 6 S6: S6F12 is a reply; only primary messages spool",
                              "E111 SPOOL 6 S6: S6F0 aborts a transaction; it is never spooled",
                          }));
}

TEST(Check, TraceSettingsOutsideWhatTheHostAcceptsAreErrors) {
    auto with = [&](const std::string& period, int32_t total, int32_t group) {
        edit::Equipment e = clean();
        e.tr[0].dsper = period;
        e.tr[0].totsmp = total;
        e.tr[0].repgsz = group;
        return checked(e);
    };
    EXPECT_EQ(with("00001000", 1, 1), Lines{});  // hhmmsscc
    EXPECT_EQ(with("000001", 600, 600), Lines{});
    EXPECT_EQ(with("00010", 600, 10),
              Lines{"E105 TRACE TRACE_1 TR_1: sample period \"00010\" is not hhmmss or hhmmsscc"});
    EXPECT_EQ(with("0000O1", 600, 10),
              Lines{"E105 TRACE TRACE_1 TR_1: sample period \"0000O1\" is not hhmmss or hhmmsscc"});
    EXPECT_EQ(with("00000000", 600, 10),
              Lines{"E105 TRACE TRACE_1 TR_1: sample period 00000000 is zero"});
    EXPECT_EQ(with("000010", 0, -1),
              (Lines{"E106 TRACE TRACE_1 TR_1: total sample count 0 is below 1",
                     "E106 TRACE TRACE_1 TR_1: report group size -1 is below 1"}));
    EXPECT_EQ(with("000010", 10, 11),
              Lines{"W210 TRACE TRACE_1 TR_1: report group size 11 is above the total sample "
                    "count 10"});
    edit::Equipment e = clean();
    e.tr[0].svs = {"SV_TEMP", "EC_TIMEOUT", "DV_LOT"};
    EXPECT_EQ(
        checked(e),
        (Lines{"W207 TRACE TRACE_1 TR_1: variable EC_TIMEOUT is an EC, not a status variable",
               "W207 TRACE TRACE_1 TR_1: variable DV_LOT is a DVVAL, not a status variable"}));
}

TEST(Check, LimitsAndValuesOutOfOrderAreQuotedAsWritten) {
    edit::Equipment e = clean();
    edit::Variable& sv = e.sv[0];
    sv.limits = {{"1", "400", "420"}, {"2", "25.0", "2e1"}, {"0x1", "1", "1"}};
    sv.min = "5E2";
    sv.max = "20";
    EXPECT_EQ(checked(e), (Lines{"E107 SV 2001 SV_TEMP: limit 2: lower 25.0 is above upper 2e1",
                                 "E108 SV 2001 SV_TEMP: limit ID 0x1 is given twice",
                                 "E109 SV 2001 SV_TEMP: minimum 5E2 is above maximum 20"}));
    sv.limits = {{"1", "400", "400"}, {"2", "1.5", "2.5"}};
    sv.min = "0";
    sv.max = "500.5";
    sv.nominal = "500.5";
    EXPECT_EQ(checked(e), Lines{});
    sv.nominal = "500.75";
    EXPECT_EQ(checked(e), Lines{"W208 SV 2001 SV_TEMP: nominal 500.75 is outside 0..500.5"});
    sv.max.reset();
    sv.nominal = "-3";
    EXPECT_EQ(checked(e), Lines{"W208 SV 2001 SV_TEMP: nominal -3 is outside 0.."});
}

TEST(Check, AValueThatIsNoNumberOfItsFormatQuotesTheTextAndWhatTheEquipmentReads) {
    edit::Equipment e = clean();
    edit::Variable i2 = var(2002, "SV_I2", ZOR_FMT_I2);
    i2.min = "-100";
    i2.max = "100";
    i2.nominal = "65350";
    i2.limits = {{"A", "0", "1"}, {"B", "2", "3"}, {"256", "4", "5"}};
    edit::Variable u4 = var(2003, "SV_U4");
    u4.min = "bZJ75";
    u4.max = "-5";
    e.sv.push_back(i2);
    e.sv.push_back(u4);
    e.al[0].alcd = "0x1FF";
    EXPECT_EQ(checked(e),
              (Lines{
                  "E110 SV 2002 SV_I2: limit ID \"A\" is not a number of U1 (the equipment reads "
                  "0)",
                  "E110 SV 2002 SV_I2: limit ID \"B\" is not a number of U1 (the equipment reads "
                  "0)",
                  "E110 SV 2002 SV_I2: limit ID \"256\" does not fit U1 (the equipment reads 0)",
                  "E110 SV 2002 SV_I2: nominal \"65350\" does not fit I2 (the equipment reads "
                  "-186)",
                  "E110 SV 2003 SV_U4: minimum \"bZJ75\" is not a number of U4 (the equipment "
                  "reads 0)",
                  "E110 SV 2003 SV_U4: maximum \"-5\" does not fit U4 (the equipment reads "
                  "4294967291)",
                  "E110 AL 6001 AL_HEAT: alarm code \"0x1FF\" does not fit B (the equipment reads "
                  "255)",
              }));
    // Every valid spelling passes.
    e = clean();
    edit::Variable f8 = var(2002, "SV_F8", ZOR_FMT_F8);
    f8.min = "1e-3";
    f8.max = "2.0E2";
    f8.nominal = " +.5 ";
    edit::Variable b = var(2003, "SV_BOOL", ZOR_FMT_BOOLEAN);
    b.min = "FALSE";
    b.max = "true";
    edit::Variable u8 = var(2004, "SV_U8", ZOR_FMT_U8);
    u8.min = "0";
    u8.max = "18446744073709551615";
    edit::Variable i8 = var(2005, "SV_I8", ZOR_FMT_I8);
    i8.min = "-9223372036854775808";
    i8.max = "9223372036854775807";
    e.sv.insert(e.sv.end(), {f8, b, u8, i8});
    e.al[0].alcd = "0x07";
    EXPECT_EQ(checked(e), Lines{});
}

TEST(Check, ANameThatBreaksAnIdFileIsAWarningOnTheLaterDefinition) {
    edit::Equipment e = clean();
    e.ce.push_back({"SV_TEMP", 5009, std::nullopt, {}});  // a CE named as a variable
    e.rp.push_back({"Static", 4009, {"SV_TEMP"}});        // C and C# keywords are lower case
    e.rp.push_back({"static", 4010, {"SV_TEMP"}});
    e.rp.push_back({"9LIVES", 4011, {"SV_TEMP"}});
    e.ce.back().reports = {"Static", "static", "9LIVES"};
    e.pp.resize(1);
    e.pp[0].name = "End";
    e.pp[0].ppid.text = "P1";
    EXPECT_EQ(
        checked(e),
        (Lines{"W201 RP 4010 static: no collection event links this report",  // CE links Static
               "W213 CE 5009 SV_TEMP: the ID files define the name twice (also SV 2001): the "
               ".cs and .vb do not build, the .h redefines it",
               "W213 RP 4010 static: the name is a keyword in C, C#: the ID files in those "
               "languages do not build",
               "W213 RP 4010 static: the name differs from RP Static only in case: the .vb "
               "and .bas do not build",
               "W213 RP 4011 9LIVES: the name is not an identifier: the ID files (.h, .cs, "
               ".vb, .bas) do not build",
               "W213 PP P1 End: the name is a keyword in VB: the ID files in that language "
               "do not build"}));
}

TEST(Check, ATextNominalLongerThanItsSizeOrMaximumSize) {
    edit::Equipment e = clean();
    edit::Variable& dv = e.dv[0];
    dv.size = 4;
    dv.nominal = "LOT1";
    EXPECT_EQ(checked(e), Lines{});
    dv.nominal = "\x83\x8d\x83\x62\x83\x67";  // three Shift-JIS characters, six bytes
    EXPECT_EQ(checked(e),
              Lines{"W209 DVVAL 3001 DV_LOT: nominal is 6 bytes, longer than the size 4"});
    dv.size = 1;  // A[1..6]
    dv.msize = 6;
    EXPECT_EQ(checked(e), Lines{});
}

TEST(Check, ReportsAndAlarmsThatCannotDoTheirJob) {
    edit::Equipment e = clean();
    e.rp.push_back({"RP_UNSENT", 4002, {"SV_TEMP"}});
    e.rp.push_back({"RP_EMPTY", 4003, {}});
    e.ce[1].reports = {"rp_empty"};
    e.al = {{"AL_A", 6001, "0", "", std::nullopt, std::nullopt, std::nullopt},
            {"AL_B", 6002, "0x84", "", "CE_SET", "CE_CLEAR", std::nullopt},
            {"AL_C", 6003, "127", "", "CE_SET", "CE_CLEAR", std::nullopt}};
    EXPECT_EQ(checked(e),
              (Lines{"W201 RP 4002 RP_UNSENT: no collection event links this report",
                     "W202 RP 4003 RP_EMPTY: the report has no variables",
                     "W203 AL 6001 AL_A: the alarm has no set event",
                     "W204 AL 6001 AL_A: the alarm has no clear event",
                     "W205 AL 6001 AL_A: alarm code 0x00 has no category (low 7 bits are 0)",
                     "W206 AL 6002 AL_B: alarm code 0x84 has bit 8 set: that bit is the run-time "
                     "set/clear flag"}));
}

TEST(Check, EveryRuleHasAStableCodeAndCountsBySeverity) {
    std::vector<std::string> codes;
    for (const auto& r : rules()) codes.push_back(r.code);
    EXPECT_EQ(codes, (Lines{"E101", "E102", "E103", "E104", "E105", "E106", "E107", "E108",
                            "E109", "E110", "E111", "W201", "W202", "W203", "W204", "W205",
                            "W206", "W207", "W208", "W209", "W210", "W211", "W212", "W213"}));
    for (const auto& r : rules())
        EXPECT_EQ(r.severity == Severity::Error, r.code[0] == 'E') << r.code;
    edit::Equipment e = clean();
    e.sp = {{"", 1, {2}}};
    e.rp[0].variables.clear();
    Counts c = count(check(Snapshot(e)));
    EXPECT_EQ(c.errors, 2);
    EXPECT_EQ(c.warnings, 1);
    EXPECT_EQ(summary(c), "2 errors, 1 warning");
    EXPECT_EQ(summary({1, 2}), "1 error, 2 warnings");
}

TEST(Check, AProfileAddsOneWarningPerMissingDefinition) {
    Profile profile;
    std::string error;
    ASSERT_TRUE(profile.parse("SV Temp\nEC timeout\nSV Clock\nCE Start\nAL heat\n", error))
        << error;
    auto findings = check(Snapshot(clean()), nullptr, &profile);
    EXPECT_EQ(lines(findings),
              Lines{"W211 SV  Clock: required by the profile (line 3) but not defined"});
}

}  // namespace
}  // namespace zor::inspect
