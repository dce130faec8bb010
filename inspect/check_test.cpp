// Each rule on a small equipment built in memory: the finding it gives, and
// the near miss it lets pass.
#include "inspect/check.h"

#include <gtest/gtest.h>

#include "inspect/profile.h"
#include "inspect/source_index.h"
#include "zoredit/zoredit.h"

namespace zor::inspect {
namespace {

Variable var(Kind kind, int32_t id, const std::string& name, int format = ZOR_FMT_U4) {
    Variable v;
    v.kind = kind;
    v.id = id;
    v.name = name;
    v.format = format;
    v.size = 1;
    return v;
}

// A small consistent equipment: every rule passes it.
Snapshot clean() {
    Snapshot s;
    s.variables = {var(Kind::EC, 1001, "EC_TIMEOUT"), var(Kind::SV, 2001, "SV_TEMP"),
                   var(Kind::DV, 3001, "DV_LOT", ZOR_FMT_A)};
    s.variables[1].events = {5001};
    s.events = {{5001, "CE_START", {4001}}, {5002, "CE_SET", {}}, {5003, "CE_CLEAR", {}}};
    s.reports = {{4001, "RP_START", {2001, 3001, 1001}}};
    s.alarms = {{6001, "AL_HEAT", 0x04, 5002, 5003}};
    s.spools = {{6, {11, 13}}};
    s.traces = {{"TRACE_1", "TR_1", "000010", 600, 10, {2001}}};
    return s;
}

std::vector<std::string> lines(const std::vector<Finding>& findings) {
    std::vector<std::string> out;
    for (const auto& f : findings)
        out.push_back(f.code + " " + kind_name(f.kind) + " " + f.id + " " + f.name + ": " + f.text);
    return out;
}

using Lines = std::vector<std::string>;

TEST(Check, TheCleanEquipmentPassesEveryRule) {
    EXPECT_EQ(lines(check(clean())), Lines{});
    EXPECT_EQ(summary(count(check(clean()))), "0 errors, 0 warnings");
}

TEST(Check, LinksToNothingOfTheRightKindAreErrorsAndNamedByPlaceWithoutASource) {
    Snapshot s = clean();
    s.events[0].reports = {4001, 0, 2001};  // a variable's ID is no report
    s.reports[0].variables = {2001, 0, 5001};
    s.variables[1].events = {5001, 4001};
    s.variables[0].events = {0};
    s.variables[2].events = {77};
    s.traces[0].variables = {2001, 0};
    Variable list = var(Kind::DV, 3002, "DV_LIST", ZOR_FMT_L);
    list.elements = {{2001, "SV_TEMP"}, {0, "SV_GONE"}};
    s.variables.push_back(list);
    s.alarms[0].clear_event = 4001;
    EXPECT_EQ(lines(check(s)), (Lines{
                                   "E101 EC 1001 EC_TIMEOUT: event #1 names no definition",
                                   "E101 SV 2001 SV_TEMP: event 4001 is not defined",
                                   "E101 DVVAL 3001 DV_LOT: event 77 is not defined",
                                   "E101 DVVAL 3002 DV_LIST: element SV_GONE is not defined",
                                   "E101 CE 5001 CE_START: report #2 names no definition",
                                   "E101 CE 5001 CE_START: report 2001 is not defined",
                                   "E101 RP 4001 RP_START: variable #2 names no definition",
                                   "E101 RP 4001 RP_START: variable 5001 is not defined",
                                   "E101 AL 6001 AL_HEAT: clear event 4001 is not defined",
                                   "E101 TRACE TRACE_1 TR_1: variable #2 names no definition",
                               }));
}

TEST(Check, TheSourceNamesDanglingLinksAndTellsAMisspelledAlarmEventFromNone) {
    Snapshot s = clean();
    s.events[0].reports = {4001, 0};
    s.alarms = {{6001, "AL_HEAT", 0x04, 0, 0}, {6002, "AL_DOOR", 0x01, 5002, 0}};
    SourceIndex source;
    source.scan(
        "def_ce CE_START {\n  ceid : 5001\n  rptname : RP_START\n  rptname : RP_STRAT\n}\n"
        "def_alarm AL_HEAT {\n  alid : 6001\n  ce_on : CE_SETT\n  ce_off : \"CE_CLAER\"\n}\n"
        "def_alarm AL_DOOR {\n  alid : 6002\n  ce_on : CE_SET\n}\n");
    auto findings = check(s, &source);
    EXPECT_EQ(lines(findings), (Lines{
                                   "E101 CE 5001 CE_START: report RP_STRAT is not defined",
                                   "E101 AL 6001 AL_HEAT: set event CE_SETT is not defined",
                                   "E101 AL 6001 AL_HEAT: clear event CE_CLAER is not defined",
                                   "W204 AL 6002 AL_DOOR: the alarm has no clear event",
                               }));
    ASSERT_EQ(findings.size(), 4u);
    EXPECT_EQ(findings[0].line, 1);
    EXPECT_EQ(findings[1].line, 6);
    EXPECT_EQ(findings[3].line, 11);
    // A source whose link count differs is another source: no names from it.
    source.scan("def_ce CE_START {\n  rptname : RP_START\n}\n");
    EXPECT_EQ(lines(check(s, &source))[0], "E101 CE 5001 CE_START: report #2 names no definition");
}

TEST(Check, OneVidInTwoVariableKindsIsAnErrorOnTheLaterKind) {
    Snapshot s = clean();
    s.variables.push_back(var(Kind::SV, 1001, "SV_TIMEOUT"));
    s.variables.push_back(var(Kind::DV, 1001, "DV_TIMEOUT"));
    EXPECT_EQ(lines(check(s)), (Lines{
                                   "E102 SV 1001 SV_TIMEOUT: VID 1001 is also EC EC_TIMEOUT",
                                   "E102 DVVAL 1001 DV_TIMEOUT: VID 1001 is also EC EC_TIMEOUT",
                                   "E102 DVVAL 1001 DV_TIMEOUT: VID 1001 is also SV SV_TIMEOUT",
                               }));
    // CE, report and alarm IDs are their own numbers.
    s = clean();
    s.events.push_back({1001, "CE_1001", {4001}});
    s.reports.push_back({2001, "RP_2001", {2001}});
    s.events.back().reports.push_back(2001);
    EXPECT_EQ(lines(check(s)), Lines{});
}

TEST(Check, SpoolingStreamOneOrARepliesIsAnError) {
    Snapshot s = clean();
    s.spools = {{1, {1}}, {6, {11, 12}}, {10, {1, 3, 5}}};
    EXPECT_EQ(lines(check(s)),
              (Lines{
                  "E103 SPOOL 1 : stream 1 is never spooled, but has spooled functions",
                  "E104 SPOOL 6 : S6F12 is a reply; only primary messages spool",
              }));
}

TEST(Check, TraceSettingsOutsideWhatTheHostAcceptsAreErrors) {
    auto with = [&](const std::string& period, int32_t total, int32_t group) {
        Snapshot c = clean();
        c.traces[0].period = period;
        c.traces[0].total_samples = total;
        c.traces[0].group_size = group;
        return lines(check(c));
    };
    EXPECT_EQ(with("00001000", 1, 1), Lines{});  // hhmmsscc
    EXPECT_EQ(with("000001", 600, 600), Lines{});
    EXPECT_EQ(with("00010", 600, 10),
              Lines{"E105 TRACE TRACE_1 TR_1: sample period \"00010\" is not hhmmss or hhmmsscc"});
    EXPECT_EQ(with("0000O1", 600, 10),
              Lines{"E105 TRACE TRACE_1 TR_1: sample period \"0000O1\" is not hhmmss or hhmmsscc"});
    EXPECT_EQ(with("", 600, 10),
              Lines{"E105 TRACE TRACE_1 TR_1: sample period \"\" is not hhmmss or hhmmsscc"});
    EXPECT_EQ(with("00000000", 600, 10),
              Lines{"E105 TRACE TRACE_1 TR_1: sample period 00000000 is zero"});
    EXPECT_EQ(with("000010", 0, -1),
              (Lines{"E106 TRACE TRACE_1 TR_1: total sample count 0 is below 1",
                     "E106 TRACE TRACE_1 TR_1: report group size -1 is below 1"}));
    EXPECT_EQ(with("000010", 10, 11),
              Lines{"W210 TRACE TRACE_1 TR_1: report group size 11 is above the total sample "
                    "count 10"});
}

TEST(Check, ATraceOfAConstantOrDataVariableIsAWarning) {
    Snapshot s = clean();
    s.traces[0].variables = {2001, 1001, 3001};
    EXPECT_EQ(lines(check(s)),
              (Lines{"W207 TRACE TRACE_1 TR_1: variable 1001 is an EC, not a status variable",
                     "W207 TRACE TRACE_1 TR_1: variable 3001 is a DVVAL, not a status variable"}));
}

TEST(Check, LimitsAndValuesOutOfOrder) {
    Snapshot s = clean();
    Variable& sv = s.variables[1];
    sv.limits = {{1, 400.0L, 420.0L}, {2, 25.0L, 20.0L}, {1, 1.0L, 1.0L}};
    sv.min = 500.0L;
    sv.max = 20.0L;
    EXPECT_EQ(lines(check(s)), (Lines{"E107 SV 2001 SV_TEMP: limit 2: lower 25 is above upper 20",
                                      "E108 SV 2001 SV_TEMP: limit ID 1 is given twice",
                                      "E109 SV 2001 SV_TEMP: minimum 500 is above maximum 20"}));
    sv.limits = {{1, 400.0L, 400.0L}, {2, 1.5L, 2.5L}};
    sv.min = 0.0L;
    sv.max = 500.5L;
    sv.nominal = 500.5L;
    EXPECT_EQ(lines(check(s)), Lines{});
    sv.nominal = 500.75L;
    EXPECT_EQ(lines(check(s)), Lines{"W208 SV 2001 SV_TEMP: nominal 500.75 is outside 0..500.5"});
    sv.min.reset();
    sv.nominal = -3.0L;
    EXPECT_EQ(lines(check(s)), Lines{});
    sv.max.reset();
    sv.min = 0.0L;
    EXPECT_EQ(lines(check(s)), Lines{"W208 SV 2001 SV_TEMP: nominal -3 is outside 0.."});
}

TEST(Check, ATextNominalLongerThanAFixedSize) {
    Snapshot s = clean();
    Variable& dv = s.variables[2];
    dv.size = 4;
    dv.nominal_text = "LOT1";
    EXPECT_EQ(lines(check(s)), Lines{});
    dv.nominal_text = "\x83\x8d\x83\x62\x83\x67";  // three Shift-JIS characters, six bytes
    EXPECT_EQ(lines(check(s)),
              Lines{"W209 DVVAL 3001 DV_LOT: nominal is 6 bytes, longer than the size 4"});
    dv.size = 1;  // A or A[1..N]: the maximum is not known
    EXPECT_EQ(lines(check(s)), Lines{});
}

TEST(Check, ReportsAndAlarmsThatCannotDoTheirJob) {
    Snapshot s = clean();
    s.reports.push_back({4002, "RP_UNSENT", {2001}});
    s.reports.push_back({4003, "RP_EMPTY", {}});
    s.events[1].reports = {4003};
    s.alarms = {{6001, "AL_A", 0x00, 0, 0},
                {6002, "AL_B", 0x84, 5002, 5003},
                {6003, "AL_C", 0x7f, 5002, 5003}};
    EXPECT_EQ(lines(check(s)),
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
    EXPECT_EQ(codes, (Lines{"E101", "E102", "E103", "E104", "E105", "E106", "E107",
                            "E108", "E109", "W201", "W202", "W203", "W204", "W205",
                            "W206", "W207", "W208", "W209", "W210", "W211"}));
    for (const auto& r : rules())
        EXPECT_EQ(r.severity == Severity::Error, r.code[0] == 'E') << r.code;
    Snapshot s = clean();
    s.spools = {{1, {2}}};
    s.reports[0].variables.clear();
    Counts c = count(check(s));
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
    auto findings = check(clean(), nullptr, &profile);
    EXPECT_EQ(lines(findings),
              Lines{"W211 SV  Clock: required by the profile (line 3) but not defined"});
}

}  // namespace
}  // namespace zor::inspect
