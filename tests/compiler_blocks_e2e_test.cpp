// Every kind of definition block compiled by the real ZorCompile: records,
// ID lines, messages and counts, byte for byte.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/compile_run.h"

namespace zor::testing {
namespace {

struct Compiled {
    int exit_code;
    std::string output, object, list, h, log;
    std::string section(const std::string& name) const;
};

Compiled compile_source(const std::string& source, CompileRun& run) {
    run.write("eq.txt", source);
    int code = run.compile("eq.txt");
    return {code,
            run.output(),
            run.exists("eq.fil") ? run.read("eq.fil") : "<none>",
            run.read("ENG_ID.CSV"),
            run.read("eq.h"),
            run.read("ZorEdit.log")};
}

// The part of the output between the start lines and the summary.
std::string messages_of(const std::string& output) {
    std::string start = start_lines("eq.txt");
    size_t end = output.find(
        "------------------------------------------------------------------------------\n");
    return output.substr(start.size(), end - start.size());
}

std::string padded(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

TEST(VariableBlocks, EveryItemWithQuotedTextsShiftJisAndHexIds) {
    CompileRun run;
    // \x95\x5c is a Shift-JIS character whose trail byte is a backslash.
    auto c = compile_source(
        "// variables\r\n"
        "def_ec EC_SPEED {\r\n"
        "  ecid : 0x3E9\r\n"
        "  FORMAT : u4\r\n"
        "  min : 0\r\n"
        "  max : \"1,000 // top\"\r\n"
        "  nominal : 10\r\n"
        "  units : \"mm/s\"\r\n"
        "}\r\n"
        "def_sv SV_\x95\x5c {\r\n"
        "  svid : x10\r\n"
        "  format : A[1..32]\r\n"
        "  units : \"\x95\x5c\x8e\xa6\"   // comment\r\n"
        "  limit : L1, \"-1.5\", \"+1.5\"\r\n"
        "  limit : L2 \"a b\" c\r\n"
        "  event : CE_START\r\n"
        "  event : \"CE: STOP\"\r\n"
        "  nominal : \"\"\r\n"
        "}\r\n"
        "def_dv DV_FLAG {\r\n"
        "  dvid : 2001\r\n"
        "  format : Boolean[2]\r\n"
        "}\r\n",
        run);
    EXPECT_EQ(c.exit_code, 0) << c.output;
    EXPECT_EQ(c.object,
              "EC: NAME00000008EC_SPEEDID  000003e9FORM0000002cSIZE00000001MSIZ00000000"
              "UNIT00000004mm/sMIN 000000010MAX 0000000c1,000 // topNOMI0000000210\r\n"
              "SV: NAME00000005SV_\x95\x5cID  00000010FORM00000010SIZE00000001MSIZ00000020"
              "UNIT00000004\x95\x5c\x8e\xa6NOMI00000000"
              "LMID00000002L1LOWE00000004-1.5UPPE00000004+1.5"
              "LMID00000002L2LOWE00000003a bUPPE00000001c"
              "EVNT00000008CE_STARTEVNT00000008CE: STOP\r\n"
              "DV: NAME00000007DV_FLAGID  000007d1FORM00000009SIZE00000002MSIZ00000002\r\n");
    EXPECT_EQ(c.list,
              ", EC_SPEED, 0x000003E9, U4[1], mm/s, 0, 1,000 // top, 10\r\n"
              ", SV_\x95\x5c, 0x00000010, A[1], \x95\x5c\x8e\xa6, , , \r\n"
              ", DV_FLAG, 0x000007D1, T[2], , , , \r\n");
    EXPECT_NE(
        c.h.find(padded(padded("#define  SV_\x95\x5c", 56) + "16 ", 72) + " // 0x00000010\r\n"),
        std::string::npos);
}

TEST(VariableBlocks, RefusedItemsAndRepeatedItems) {
    CompileRun run;
    auto c = compile_source(
        "def_ec A {\r\n"        // 1
        "  ecid : 1\r\n"        // 2
        "  ecid : 2\r\n"        // 3: replaces
        "  format : X9\r\n"     // 4: format error fails the block
        "}\r\n"                 // 5
        "def_ec SKIPPED {\r\n"  // 6
        "}\r\n"                 // 7
        "def_sv B {\r\n"        // 8
        "  svid : 3\r\n"        // 9
        "  units : C\r\n"       // 10
        "  units : F\r\n"       // 11: a second units fails
        "}\r\n"                 // 12
        "}\r\n"                 // 13
        "def_dv C {\r\n"        // 14
        "  dvid : 4\r\n"        // 15
        "  ecid : 4\r\n"        // 16: another kind's ID key
        "}\r\n"                 // 17
        "}\r\n"                 // 18
        "def_sv D {\r\n"        // 19
        "  svid : 5\r\n"        // 20
        "  limit : L1 0\r\n"    // 21: fewer than five fields
        "}\r\n"                 // 22
        "}\r\n"                 // 23
        "def_ec E {\r\n"        // 24
        "  ecid : 6\r\n"        // 25
        "  format : LEND\r\n"   // 26: not in revision 2
        "}\r\n"                 // 27
        "}\r\n"                 // 28
        "def_sv F {\r\n"        // 29: no ID
        "  format : U2\r\n"     // 30
        "}\r\n",                // 31
        run);
    EXPECT_EQ(c.exit_code, 7);
    EXPECT_EQ(messages_of(c.output),
              "  ! line-1  format err \n    def_ec A {\n\n"
              "  ! error line-4 \"  format : X9\"\n  ! error line-4 \"  format : X9\"\n"
              " !! line-5 format error \"{\" not found : }"
              "  ! error line-11 \"  units : F\"\n  ! error line-11 \"  units : F\"\n"
              " !! line-12 format error \"{\" not found : }"
              "  ! error line-16 \"  ecid : 4\"\n  ! error line-16 \"  ecid : 4\"\n"
              " !! line-17 format error \"{\" not found : }"
              "  ! error line-21 \"  limit : L1 0\"\n  ! error line-21 \"  limit : L1 0\"\n"
              " !! line-22 format error \"{\" not found : }"
              "  ! line-24 ICODE_END not used for REVISION-2\n    def_ec E {\n\n"
              "  ! error line-26 \"  format : LEND\"\n  ! error line-26 \"  format : LEND\"\n"
              " !! line-27 format error \"{\" not found : }"
              "  ! line-29  no id \n    def_sv F {\n\n");
    EXPECT_EQ(c.object, "<none>");
    // Only the block without an ID got as far as its ID lines.
    EXPECT_EQ(c.list, ", F, 0xFFFFFFFF, U2[1], , , , \r\n");
    EXPECT_NE(c.h.find(padded(padded("#define  F", 56) + "-1 ", 72) + " // 0xffffffff\r\n"),
              std::string::npos);
    for (const char* failure :
         {" !! EC compile error\r\n", " !! SV compile error\r\n", " !! DVVAL compile error\r\n"})
        EXPECT_NE(c.log.find(failure), std::string::npos) << failure;
}

TEST(VariableBlocks, ListElementsInRevisionTwo) {
    CompileRun run;
    auto c = compile_source(
        "def_ec EL {\r\n"  // 1
        "  ecid : 1\r\n"
        "  format : L\r\n"
        "  nominal : 2\r\n"
        "  vid : V1\r\n"
        "  vid : V2\r\n"
        "  vid : V3\r\n"  // 7: overflow, counted in def_ec
        "}\r\n"
        "def_sv SL {\r\n"  // 9
        "  svid : 1\r\n"
        "  format : L\r\n"
        "  nominal : 1\r\n"
        "  vid : V1\r\n"
        "  vid : V2\r\n"  // 14: overflow, not counted in def_sv
        "}\r\n"
        "def_dv DL {\r\n"  // 16
        "  dvid : 1\r\n"
        "  nominal : 3\r\n"  // no format yet: still a list
        "  format : L\r\n"
        "  vid : V1\r\n"  // one of three: count warning, no VID fields
        "}\r\n"
        "def_ec EN {\r\n"  // 22
        "  ecid : 2\r\n"
        "  nominal : 2\r\n"
        "  format : U4\r\n"
        "  vid : V1\r\n"  // 26: not a list, counted in def_ec
        "}\r\n",
        run);
    EXPECT_EQ(c.exit_code, 2);
    EXPECT_EQ(messages_of(c.output),
              "  ! line-1 !! vid count overflow\n    def_ec EL {\n\n"
              "  ! error line-7 \"  vid : V3\"\n  ! error line-7 \"  vid : V3\"\n"
              "  ! line-9 !! vid list count overflow\n    def_sv SL {\n\n"
              "  ! error line-14 \"  vid : V2\"\n  ! error line-14 \"  vid : V2\"\n"
              "info->vid_count = 3\n"
              "  # warning line-16 !! vid count not match   vid count = 3  ( count set=1), "
              "(error for VUVIza3 R2) \n    def_dv DL {\n\n"
              "  ! line-22 !! vid is not applied\n    def_ec EN {\n\n"
              "  ! error line-26 \"  vid : V1\"\n  ! error line-26 \"  vid : V1\"\n");
    EXPECT_NE(c.output.find("    number of warning = 1\n"), std::string::npos);
    EXPECT_EQ(
        run.read("$EC_TMP"),
        "EC: NAME00000002ELID  00000001FORM00000000SIZE00000001MSIZ00000000NOMI000000012"
        "VID 00000002V1VID 00000002V2\r\n"
        "EC: NAME00000002ENID  00000002FORM0000002cSIZE00000001MSIZ00000000NOMI000000012\r\n");
    EXPECT_EQ(run.read("$SV_TMP"),
              "SV: NAME00000002SLID  00000001FORM00000000SIZE00000001MSIZ00000000NOMI000000011"
              "VID 00000002V1\r\n");
    EXPECT_EQ(
        run.read("$V__TMP"),
        "DV: NAME00000002DLID  00000001FORM00000000SIZE00000001MSIZ00000000NOMI000000013\r\n");
}

TEST(VariableBlocks, RevisionSwitchesBetweenBlocks) {
    CompileRun run;
    auto c = compile_source(
        "REV_NO = 1\r\n"
        "def_ec OLD {\r\n"
        "  ecid : 1\r\n"
        "  format : LEND\r\n"
        "}\r\n"
        "REV_NO = 2\r\n"
        "def_ec NEW {\r\n"
        "  ecid : 2\r\n"
        "  format : L\r\n"
        "  nominal : 1\r\n"
        "  vid : OLD\r\n"
        "}\r\n",
        run);
    EXPECT_EQ(c.exit_code, 0) << c.output;
    EXPECT_EQ(c.object,
              "EC: NAME00000003OLDID  00000001FORM0000003dSIZE00000001MSIZ00000000\r\n"
              "EC: NAME00000003NEWID  00000002FORM00000000SIZE00000001MSIZ00000000NOMI000000011"
              "VID 00000003OLD\r\n");
    EXPECT_EQ(c.list, ", OLD, 0x00000001, LE[1], , , , \r\n, NEW, 0x00000002, L[1], , , , 1\r\n");
}

TEST(VariableBlocks, DuplicatesArePerKindAndNamesFoldCase) {
    CompileRun run;
    auto c = compile_source(
        "def_sv TEMP1 {\r\n  svid : 1\r\n}\r\n"
        "def_ec TEMP1 {\r\n  ecid : 1\r\n}\r\n"     // another kind: fine
        "def_sv temp1 {\r\n  svid : 2\r\n}\r\n"     // 7: same name
        "def_sv OTHER {\r\n  svid : 0x1\r\n}\r\n",  // 10: same ID
        run);
    EXPECT_EQ(c.exit_code, 2);
    EXPECT_EQ(messages_of(c.output),
              "  ! line-7  name : multi-define error \n    def_sv temp1 {\n\n"
              "  ! line-10  id : multi-define error \n    def_sv OTHER {\n\n");
}

TEST(EventBlocks, CollectionEventsReportsAndAlarms) {
    CompileRun run;
    auto c = compile_source(
        "def_report RP_1 {\r\n  rptid : 5\r\n  vname : SV_A\r\n  vname : \"SV B\"\r\n}\r\n"
        "def_ce CE_1 {\r\n  ceid : 0x10\r\n}\r\n"
        "def_ce CE_2 {\r\n  ceid : 5\r\n  enabled : TRUE\r\n  rptname : RP_1\r\n  rptname : "
        "RP_2\r\n}\r\n"
        "def_alarm AL_1 {\r\n  altx : \"Over temp, stop\"\r\n  alid : 1\r\n  ce_off : CE_2\r\n"
        "  alcd : 0x84\r\n  enabled : 1\r\n  ce_on : CE_1\r\n}\r\n",
        run);
    EXPECT_EQ(c.exit_code, 0) << c.output;
    EXPECT_EQ(
        c.object,
        "RP: NAME00000004RP_1ID  00000005VNAM00000004SV_AVNAM00000004SV B\r\n"
        "AL: NAME00000004AL_1ID  00000001ALCD000000040x84ALTX0000000fOver temp, stop"
        "CEON00000004CE_1CEOF00000004CE_2ENAB000000011\r\n"
        "CE: NAME00000004CE_1ID  00000010\r\n"
        "CE: NAME00000004CE_2ID  00000005ENAB00000004TRUERPNA00000004RP_1RPNA00000004RP_2\r\n");
    EXPECT_EQ(c.list,
              ", RP_1, 0x00000005, L[0], , , , \r\n"
              ", CE_1, 0x00000010, L[0], , , , \r\n"
              ", CE_2, 0x00000005, L[0], , , , \r\n"
              ", AL_1, 0x00000001, L[0], 0x84, Over temp, stop, CE_1, CE_2\r\n");
}

TEST(EventBlocks, RefusalsAndRepeatedItems) {
    CompileRun run;
    auto c = compile_source(
        "def_ce C {\r\n  ceid : 1\r\n  enabled : 1\r\n  enabled : 0\r\n}\r\n"  // 1, fails at 4
        "def_alarm A1 {\r\n  alid : 1\r\n}\r\n"                                // 6: no altx first
        "def_alarm A2 {\r\n  alid : 2\r\n  altx : t\r\n}\r\n"                  // 9: no alcd
        "def_alarm A3 {\r\n  altx : t\r\n  alcd : 1\r\n}\r\n"                  // 13: no id
        "def_report R {\r\n  rptid : 1\r\n}\r\n"
        "def_report R2 {\r\n  rptid : 1\r\n}\r\n"  // 20: same ID
        "def_alarm A4 {\r\n  alid : 4\r\n}\r\n",   // 23
        run);
    // A1 is swallowed by the failed C block's closing brace.
    EXPECT_EQ(c.exit_code, 5);
    EXPECT_EQ(messages_of(c.output),
              "  ! error line-4 \"  enabled : 0\"\n  ! error line-4 \"  enabled : 0\"\n"
              " !! line-5 format error \"{\" not found : }"
              "  ! line-9  no alcd \n    def_alarm A2 {\n\n"
              "  ! line-13  no id \n    def_alarm A3 {\n\n"
              "  ! line-20  id : multi-define error \n    def_report R2 {\n\n"
              "  ! line-23  no altx \n    def_alarm A4 {\n\n");
    EXPECT_NE(c.log.find(" CE put_str_info() error\r\n  ! error line-4"), std::string::npos);
}

TEST(ProgramBlocks, ProcessProgramsAndTheirSizes) {
    CompileRun run;
    auto c = compile_source(
        "def_pp PP_1 {\r\n  ppid : A[4] PROGRAM01\r\n  ppbody : B[100] "
        "\"C:\\\\pp\\\\body.bin\"\r\n}\r\n"
        "def_pp PP_2 {\r\n  ppid : A[1..40] P2\r\n  ppbody : A[1..8] X\r\n}\r\n"
        "def_pp PP_3 {\r\n  ppid : Q[8] PROG03\r\n  ppbody : A[1] B\r\n}\r\n",
        run);
    EXPECT_EQ(c.exit_code, 0) << c.output;
    EXPECT_EQ(messages_of(c.output), "  ! line-9  format err \n    def_pp PP_3 {\n\n");
    EXPECT_EQ(c.object,
              "PP: NAME00000004PP_1ID  00000009PROGRAM01FORM00000010SIZE00000009MSIZ00000009"
              "PPBO00000010C:\\\\pp\\\\body.binFORM00000008SIZE00000064MSIZ00000064\r\n"
              "PP: NAME00000004PP_2ID  00000002P2FORM00000010SIZE00000002MSIZ00000028"
              "PPBO00000001XFORM00000010SIZE00000001MSIZ00000008\r\n"
              "PP: NAME00000004PP_3ID  00000006PROG03FORM000000ffSIZE00000006MSIZ00000006"
              "PPBO00000001BFORM00000010SIZE00000001MSIZ00000001\r\n");
    std::string define = padded("#define PP_1", 56) + " \"PROGRAM01\"\r\n";
    EXPECT_NE(c.h.find(define), std::string::npos);
    EXPECT_EQ(c.list, "");
}

TEST(ProgramBlocks, ProcessProgramRefusals) {
    CompileRun run;
    auto c = compile_source(
        "def_pp SHORT {\r\n  ppid : A PROG01\r\n}\r\n"      // 1: fails at 2
        "}\r\n"                                             // 4
        "def_pp NOBODY {\r\n  ppid : A[6] PROG02\r\n}\r\n"  // 5
        "def_pp CASE1 {\r\n  ppid : A[6] prog03\r\n  ppbody : A[1] b\r\n}\r\n"
        "def_pp CASE2 {\r\n  ppid : A[6] PROG03\r\n  ppbody : A[1] b\r\n}\r\n",  // 12
        run);
    EXPECT_EQ(c.exit_code, 3);
    EXPECT_EQ(messages_of(c.output),
              "  ! error line-2 \"  ppid : A PROG01\"\n  ! error line-2 \"  ppid : A PROG01\"\n"
              " !! line-3 format error \"{\" not found : }"
              "  ! line-5  no ppbody \n    def_pp NOBODY {\n\n"
              "  ! line-12  id : multi-define error \n    def_pp CASE2 {\n\n");
}

TEST(ProgramBlocks, FormattedProcessPrograms) {
    CompileRun run;
    auto c = compile_source(
        "def_fpp FPP_1 {\r\n"
        "  ccode : A[2] C0\r\n"  // before ppid: kept
        "  ppid : A[8] FPROG\r\n"
        "  mdln : \"MODEL X\"\r\n"
        "  softrev : 1.0\r\n"
        "  pparam : U4 [1] 10\r\n"
        "  ccode : A[2] C1\r\n"
        "  pparam : U4[1] 1\r\n"
        "  pparam : F4[1] 2.5\r\n"
        "  pparam : A[1..16] \"a b\"\r\n"
        "  ccode : A[2] C2\r\n"
        "}\r\n"
        "def_fpp FPP_2 {\r\n"  // 13
        "  ppid : A[8] F2\r\n"
        "  mdln : M\r\n"
        "}\r\n"
        "def_fpp FPP_3 {\r\n"  // 17
        "  ppid : A[8] F3\r\n"
        "  pparam : U4[1] 1\r\n"  // 19: no command code yet
        "}\r\n",
        run);
    EXPECT_EQ(c.exit_code, 2);
    EXPECT_EQ(messages_of(c.output),
              "  ! line-13  no softrev \n    def_fpp FPP_2 {\n\n"
              "  ! error line-19 \"  pparam : U4[1] 1\"\n  ! error line-19 \"  pparam : U4[1] 1\"\n"
              " !! FPP compile error\n"
              " !! line-20 format error \"{\" not found : }");
    EXPECT_EQ(run.read("$FP_TMP"),
              "FP: NAME00000005FPP_1ID  00000005FPROGFORM00000010SIZE00000008MSIZ00000008"
              "MDLN00000007MODEL XSOFT000000031.0COUN00000003"
              "CCOD00000002C0FORM00000010SIZE00000002MSIZ00000002PCOU00000001"
              "PPAR0000000210FORM0000002cSIZE00000001MSIZ00000001"
              "CCOD00000002C1FORM00000010SIZE00000002MSIZ00000002PCOU00000003"
              "PPAR000000011FORM0000002cSIZE00000001MSIZ00000001"
              "PPAR000000032.5FORM00000024SIZE00000001MSIZ00000001"
              "PPAR00000003a bFORM00000010SIZE00000001MSIZ00000010"
              "CCOD00000002C2FORM00000010SIZE00000002MSIZ00000002PCOU00000000\r\n");
}

TEST(ProgramBlocks, RecipesSpoolsAndTraces) {
    CompileRun run;
    auto c = compile_source(
        "def_rcp RCP_1 {\r\n"
        "  rcpid : RECIPE01\r\n"
        "  rcpbody : \"temp=100, time=20\"\r\n"
        "  rcpparname : TEMP\r\n"
        "  rcpparval : U4[1] 100\r\n"
        "  rcpparname : NOTE\r\n"
        "}\r\n"
        "def_spool SPL1 {\r\n  stream : 6\r\n  function : 11\r\n  function : 300\r\n  function : "
        "3\r\n}\r\n"
        "def_spool SPL2 {\r\n  stream : 6\r\n}\r\n"    // 14: same stream
        "def_spool SPL3 {\r\n  function : 1\r\n}\r\n"  // 17: stream 0
        "def_trace TR_1 {\r\n"
        "  trid : A[4] TRACE0001\r\n"
        "  dsper : 000010\r\n"
        "  totsmp : 100\r\n"
        "  repgsz : 5\r\n"
        "  svname : SV_A\r\n"
        "  svname : SV_B\r\n"
        "}\r\n"
        "def_trace TR_2 {\r\n  trid : A[4] T2\r\n}\r\n",  // 28: no dsper
        run);
    EXPECT_EQ(c.exit_code, 3);
    EXPECT_EQ(messages_of(c.output),
              "  ! line-14  id : multi-define error \n    def_spool SPL2 {\n\n"
              "  ! line-17  no id \n    def_spool SPL3 {\n\n"
              "  ! line-28  no dsper \n    def_trace TR_2 {\n\n");
    EXPECT_EQ(run.read("$RCP_TMP"),
              "RC: NAME00000005RCP_1ID  00000008RECIPE01PPBO00000011temp=100, time=20COUN00000002"
              "PNAM00000004TEMPPVAL00000003100FORM0000002cSIZE00000001PNAM00000004NOTE\r\n");
    EXPECT_EQ(
        run.read("$SP_TMP"),
        "SP: NAME00000004SPL1STRE00000006COUN00000003FUNC0000000bFUNC0000002cFUNC00000003\r\n");
    EXPECT_EQ(run.read("$TR_TMP"),
              "TR: NAME00000004TR_1ID  00000009TRACE0001FORM00000010SIZE00000004MSIZ00000004"
              "DSPE00000006000010TOTS00000064REPG00000005COUN00000002SVNA00000004SV_"
              "ASVNA00000004SV_B\r\n");
    EXPECT_NE(c.h.find(padded("#define SPL1", 56) + " \"SPL1\"\r\n"), std::string::npos);
    EXPECT_NE(c.h.find(padded("#define TR_1", 56) + " \"TRACE0001\"\r\n"), std::string::npos);
}

TEST(ListLimits, EntriesPastALimitAreCountedErrors) {
    std::string source = "def_sv MANY {\r\n  svid : 1\r\n";
    for (int i = 0; i < 257; ++i) source += "  event : E" + std::to_string(i) + "\r\n";
    source += "}\r\n";
    CompileRun run;
    auto c = compile_source(source, run);
    EXPECT_EQ(c.exit_code, 1);
    EXPECT_EQ(messages_of(c.output),
              "  ! line-1  event : more than 256 entries \n    def_sv MANY {\n\n");
}

TEST(ListLimits, MoreThan8192DefinitionsOfAKind) {
    std::string source;
    for (int i = 1; i <= 8193; ++i)
        source +=
            "def_ce C" + std::to_string(i) + " {\r\n  ceid : " + std::to_string(i) + "\r\n}\r\n";
    CompileRun run;
    auto c = compile_source(source, run);
    EXPECT_EQ(c.exit_code, 1);
    EXPECT_EQ(
        messages_of(c.output),
        "  ! line-24577  id : more than 8192 definitions of this kind \n    def_ce C8193 {\n\n");
}

}  // namespace
}  // namespace zor::testing

namespace zor::testing {
namespace {

TEST(SampleEquipment, CompilesCleanlyWithEveryKind) {
    CompileRun run;
    std::ifstream in(std::string(ZOR_SOURCE_DIR) + "/examples/equipment.txt", std::ios::binary);
    std::stringstream source;
    source << in.rdbuf();
    auto c = compile_source(source.str(), run);
    EXPECT_EQ(c.exit_code, 0);
    EXPECT_NE(c.output.find("    number of error   = 0\n    number of warning = 0\n"),
              std::string::npos)
        << c.output;
    for (const char* prefix :
         {"RP: ", "AL: ", "CE: ", "EC: ", "SV: ", "DV: ", "SP: ", "PP: ", "FP: ", "RC: ", "TR: "})
        EXPECT_NE(c.object.find(std::string("\r\n") + prefix), std::string::npos) << prefix;
    EXPECT_NE(c.object.find("VID "), std::string::npos);
}

}  // namespace
}  // namespace zor::testing

namespace zor::testing {
namespace {

std::string basic_dashes() { return "'" + std::string(55, '-') + "\r\n"; }
std::string c_dashes() { return "/*" + std::string(54, '-') + "*/\r\n"; }
std::string c_title(const std::string& path) {
    return padded("/*  " + path + " - ZorGemLib / ZOREng4 ID Definition", 56) + "*/\r\n";
}
std::string basic_title(const std::string& path) {
    return "' " + path + " - ZorGemLib / ZOREng4 ID definition         \r\n";
}

TEST(AllOutputs, NumericAndTextConstantsInEveryIdFileAndTheLog) {
    CompileRun run;
    auto c = compile_source(
        "def_sv TEMP1 {\r\n  svid : 1001\r\n  format : U4\r\n  units : C\r\n}\r\n"
        "def_pp PP1 {\r\n  ppid : A[8] PROG01\r\n  ppbody : A[1] B\r\n}\r\n"
        "def_spool SPL1 {\r\n  stream : 6\r\n}\r\n",
        run);
    ASSERT_EQ(c.exit_code, 0);
    std::string sv_h = padded(padded("#define  TEMP1", 56) + "1001 ", 72) + " // 0x000003e9\r\n";
    EXPECT_EQ(c.h, c_dashes() + c_title("eq.h") + c_dashes() + sv_h + padded("#define PP1", 56) +
                       " \"PROG01\"\r\n" + padded("#define SPL1", 56) + " \"SPL1\"\r\n");
    EXPECT_EQ(run.read("eq.bas"),
              "Attribute VB_Name = \"Eng_Id.bas\"\r\n" + basic_dashes() + basic_title("eq.bas") +
                  basic_dashes() + padded(padded("Public Const TEMP1 = ", 56) + "1001 ", 72) +
                  " ' 0x000003e9\r\n" + padded("Public Const PP1 = ", 56) + " \"PROG01\"\r\n" +
                  padded("Public Const SPL1 = ", 56) + " \"SPL1\"\r\n");
    EXPECT_EQ(run.read("eq.vb"),
              basic_dashes() + basic_title("eq.vb") + basic_dashes() + "Public Class Ceng_id\r\n" +
                  padded(padded("  Public Const TEMP1 as Integer = ", 56) + "1001 ", 72) +
                  " ' 0x000003e9\r\n" + padded("  Public Const PP1 as string = ", 56) +
                  " \"PROG01\"\r\n" + padded("  Public Const SPL1 as string = ", 56) +
                  " \"SPL1\"\r\nEnd Class\r\n");
    EXPECT_EQ(run.read("eq.cs"),
              c_dashes() + c_title("eq.cs") + c_dashes() +
                  "namespace ZorApp\r\n{\r\n    class eng_id\r\n    {\r\n" +
                  padded(padded("    public const int TEMP1 = ", 56) + " 1001;", 72) +
                  " // 0x000003e9\r\n" + padded("    public const string PP1  = ", 56) +
                  " \"PROG01\";\r\n" + padded("    public const string SPL1  = ", 56) +
                  " \"SPL1\";\r\n" + "\r\n    }\r\n}\r\n");
    EXPECT_EQ(c.list, ", TEMP1, 0x000003E9, U4[1], C, , , \r\n");
    EXPECT_EQ(c.log, crlf(c.output));
    EXPECT_EQ(
        c.object,
        "SV: NAME00000005TEMP1ID  000003e9FORM0000002cSIZE00000001MSIZ00000000UNIT00000001C\r\n"
        "SP: NAME00000004SPL1STRE00000006COUN00000000\r\n"
        "PP: NAME00000003PP1ID  00000006PROG01FORM00000010SIZE00000008MSIZ00000008"
        "PPBO00000001BFORM00000010SIZE00000001MSIZ00000001\r\n");
}

}  // namespace
}  // namespace zor::testing
