#include "zoredit/fil_reader.h"

#include <gtest/gtest.h>

#include "zoredit/testing/fil_writer.h"

namespace zor::edit {
namespace {

// The worked example: SV TEMP1, ID 1001, U4, units C, events E1 and E2.
const std::string kTemp1 =
    "SV: NAME00000005TEMP1ID  000003e9FORM0000002cSIZE00000001MSIZ00000000UNIT00000001C"
    "EVNT00000002E1EVNT00000002E2\r\n";

std::string refusal(const std::string& data) {
    Equipment eq;
    std::string error;
    EXPECT_FALSE(read_fil(data, eq, error)) << data;
    return error;
}

TEST(FilReader, ReadsTheWorkedExample) {
    Equipment eq;
    std::string error;
    ASSERT_TRUE(read_fil(kTemp1, eq, error)) << error;
    ASSERT_EQ(eq.sv.size(), 1u);
    const Variable& v = eq.sv[0];
    EXPECT_EQ(v.name, "TEMP1");
    EXPECT_EQ(v.id, 1001);
    EXPECT_EQ(v.form, 44);
    EXPECT_EQ(v.size, 1);
    EXPECT_EQ(v.msize, 0);
    EXPECT_EQ(v.units, "C");
    EXPECT_FALSE(v.min.has_value());
    EXPECT_EQ(v.events, (std::vector<std::string>{"E1", "E2"}));
}

TEST(FilReader, EmptyFileAndBareLineFeedsAreAccepted) {
    Equipment eq;
    std::string error;
    EXPECT_TRUE(read_fil("", eq, error));
    EXPECT_TRUE(read_fil("CE: NAME00000001CID  00000001\n", eq, error)) << error;
    EXPECT_EQ(eq.ce.size(), 1u);
}

// Every kind written and read back gives the same bytes: the reader keeps
// every field, the optional ones and the counted groups.
TEST(FilReader, EveryKindSurvivesReadAndWrite) {
    const std::string fil =
        "RP: NAME00000002R1ID  00000005VNAM00000002V1VNAM00000002V2\r\n"
        "AL: NAME00000002A1ID  "
        "ffffffffALCD000000040x85ALTX00000000CEON00000002C1ENAB00000004TRUE\r\n"
        "CE: NAME00000002C1ID  00000010ENAB00000001xRPNA00000002R1\r\n"
        "EC: NAME00000001EID  00000001FORM00000010SIZE00000001MSIZ00000020MIN 00000001aMAX 00000000"
        "NOMI00000002n!LMID00000001lLOWE00000000UPPE00000001u\r\n"
        "SV: NAME00000001LID  00000002FORM00000000SIZE00000001MSIZ00000000NOMI000000012"
        "VID 00000001AVID 00000001B\r\n"
        "SP: NAME00000002S1STRE00000006COUN00000002FUNC0000000bFUNC0000000d\r\n"
        "PP: NAME00000002P1ID  00000002P1FORM000000ffSIZE00000002MSIZ00000002PPBO00000001b"
        "FORM00000011SIZE00000003MSIZ00000003\r\n"
        "FP: NAME00000001FID  00000001XFORM00000010SIZE00000001MSIZ00000028MDLN00000000SOFT00000003"
        "1.0COUN00000002CCOD00000002C1FORM00000010SIZE00000004MSIZ00000004PCOU00000001PPAR00000001p"
        "FORM0000002cSIZE00000001MSIZ00000001CCOD00000002C2FORM00000010SIZE00000002MSIZ00000002"
        "PCOU00000000\r\n"
        "RC: NAME00000001RID  00000002R1PPBO00000001bCOUN00000002PNAM00000002P1PVAL000000031.5"
        "FORM00000024SIZE00000001PNAM00000000\r\n"
        "TR: NAME00000001TID  00000001TFORM00000010SIZE00000004MSIZ00000004DSPE0000000800000100"
        "TOTSfffffffdREPG00000002COUN00000001SVNA00000001L\r\n";
    Equipment eq;
    std::string error;
    ASSERT_TRUE(read_fil(fil, eq, error)) << error;
    EXPECT_EQ(eq.al[0].id, -1);
    EXPECT_FALSE(eq.al[0].ce_off.has_value());
    EXPECT_EQ(eq.fp[0].codes.size(), 2u);
    EXPECT_EQ(eq.rc[0].params[1].name, "");
    EXPECT_FALSE(eq.rc[0].params[1].value.has_value());
    EXPECT_EQ(eq.tr[0].totsmp, -3);
    EXPECT_EQ(write_fil(eq), fil);
}

TEST(FilReader, RefusesMalformedLinesNamingRecordLineAndFault) {
    EXPECT_EQ(refusal(kTemp1 + "XX: NAME00000001A\r\n"),
              "damaged object file at line 2, byte 1: unknown kind \"XX: \"");
    EXPECT_EQ(refusal("CE: NAME00000001CID  00000001RPNX00000001R\r\n"),
              "damaged object file, record CE \"C\" at line 1, byte 30: unexpected field \"RPNX\"");
    EXPECT_EQ(refusal("CE: NAME00000001CID  0000000A\r\n"),
              "damaged object file, record CE \"C\" at line 1, byte 22: bad hex digits in field "
              "\"ID  \"");
    EXPECT_EQ(refusal("CE: NAME00000009C\r\n"),
              "damaged object file, record CE at line 1, byte 17: text of field \"NAME\" (9 bytes) "
              "runs past the end of the line");
    EXPECT_EQ(refusal("AL: NAME00000001AID  00000001ALTX00000000\r\n"),
              "damaged object file, record AL \"A\" at line 1, byte 30: unexpected field \"ALTX\" "
              "where \"ALCD\" belongs");
    EXPECT_EQ(refusal("AL: NAME00000001AID  00000001ALCD000000011\r\n"),
              "damaged object file, record AL \"A\" at line 1, byte 43: field \"ALTX\" missing");
    EXPECT_EQ(refusal("SP: NAME00000001SSTRE00000006COUN00000003FUNC00000001FUNC00000003\r\n"),
              "damaged object file, record SP \"S\" at line 1, byte 42: count \"COUN\" = 3 "
              "disagrees with the fields that follow");
    EXPECT_EQ(refusal("SP: NAME00000001SSTRE00000106COUN00000000\r\n"),
              "damaged object file, record SP \"S\" at line 1, byte 30: field \"STRE\" holds 262, "
              "not a byte");
    EXPECT_EQ(
        refusal("SV: NAME00000001LID  00000002FORM00000000SIZE00000001MSIZ00000000NOMI000000013"
                "VID 00000001A\r\n"),
        "damaged object file, record SV \"L\" at line 1, byte 92: the nominal count disagrees "
        "with the 1 \"VID \" fields");
    EXPECT_EQ(refusal("EC: NAME00000001EID  00000001FORM00000007SIZE00000001MSIZ00000000\r\n"),
              "damaged object file, record EC \"E\" at line 1, byte 42: format code 7 is not a "
              "SECS-II item format");
    EXPECT_EQ(refusal("CE: NAME00000001CID  00000001\r\n\r\n"),
              "damaged object file at line 2, byte 1: empty line");
    EXPECT_EQ(refusal("CE: NAME00000001CID  00000001\r\nCE: NAME00000001DID  00000001\r\n"),
              "damaged object file, record CE \"D\" at line 2, byte 30: ID 1 defined twice");
    EXPECT_EQ(refusal("PP: NAME00000001PID  00000001x" +
                      std::string("FORM00000010SIZE00000001MSIZ00000001") +
                      "PPBO00000000FORM00000010SIZE00000000MSIZ00000000\r\n"
                      "PP: NAME00000001pID  00000001X" +
                      std::string("FORM00000010SIZE00000001MSIZ00000001") +
                      "PPBO00000000FORM00000010SIZE00000000MSIZ00000000\r\n"),
              "damaged object file, record PP \"p\" at line 2, byte 115: ID \"X\" defined twice");
    EXPECT_EQ(refusal("RP: NAME00000002r1ID  00000001\r\nRP: NAME00000002R1ID  00000002\r\n"),
              "damaged object file, record RP \"R1\" at line 2, byte 31: name \"R1\" defined "
              "twice");
}

// The object file the compiler wrote before lead bytes stopped taking the
// line end: a text runs into the next line. The message names the record.
TEST(FilReader, TextSplitOverTwoLinesNamesItsRecord) {
    EXPECT_EQ(refusal("SV: NAME00000005TEMP1ID  000003e9FORM0000002cSIZE00000001MSIZ00000000"
                      "UNIT00000003C\x82\nMIN 000000011\r\n"),
              "damaged object file, record SV \"TEMP1\" at line 1, byte 82: text of field "
              "\"UNIT\" (3 bytes) runs past the end of the line");
    // A long name is cut at a character boundary, control bytes are shown as '?'.
    const std::string name = std::string(39, 'n') + "\x82\xa0\x01";
    EXPECT_EQ(refusal("CE: NAME0000002a" + name + "ID  0000000g\r\n"),
              "damaged object file, record CE \"" + std::string(39, 'n') +
                  "...\" at line 1, byte 63: bad hex digits in field \"ID  \"");
}

// A count may not make the reader build anything before it has seen the
// fields: a huge COUN fails at once.
TEST(FilReader, HugeCountsFailWithoutBuilding) {
    EXPECT_EQ(
        refusal("TR: NAME00000001TID  00000001TFORM00000010SIZE00000001MSIZ00000001DSPE00000000"
                "TOTS00000001REPG00000001COUN7fffffff\r\n"),
        "damaged object file, record TR \"T\" at line 1, byte 115: count \"COUN\" = "
        "2147483647 disagrees with the fields that follow");
}

}  // namespace
}  // namespace zor::edit
