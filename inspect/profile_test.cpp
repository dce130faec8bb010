#include "inspect/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zor::inspect {
namespace {

Snapshot equipment() {
    edit::Equipment e;
    edit::Variable clock;
    clock.name = "SV_CLOCK";
    edit::Variable state = clock;
    state.name = "sv_Control_State";
    edit::Variable timeout = clock;
    timeout.name = "EC_ESTABLISH_COMMUNICATIONS_TIMEOUT";
    edit::Variable format = clock;
    format.name = "TimeFormat";  // a DVVAL: not the EC the profile asks for
    e.sv = {clock, state};
    e.ec = {timeout};
    e.dv = {format};
    e.ce = {{"CE_PROCESS_START", 1, std::nullopt, {}}};
    e.fp.resize(1);
    e.fp[0].name = "FPP_STANDARD";
    e.pp.resize(1);
    e.pp[0].name = "SV_X";
    return Snapshot(e);
}

std::vector<std::string> missing(const std::string& text) {
    Profile p;
    std::string error;
    EXPECT_TRUE(p.parse(text, error)) << error;
    std::vector<std::string> out;
    for (const auto& e : p.missing(equipment()))
        out.push_back(std::to_string(e.line) + " " + e.name);
    return out;
}

TEST(Profile, NamesMatchWithoutCaseUnderscoresOrTheKindsOwnPrefix) {
    EXPECT_EQ(missing("SV Clock\nSV ControlState\nsv CONTROL_STATE\nEC "
                      "EstablishCommunicationsTimeout\nCE ProcessStart\nFPP Standard\n"),
              std::vector<std::string>{});
    // Only the kind's own prefix goes: a PP named SV_X is "svx", and a DVVAL
    // does not stand in for an EC.
    EXPECT_EQ(missing("EC TimeFormat\nPP X\nPP SV_X\nSV EventsEnabled\nDVVAL TimeFormat\n"),
              (std::vector<std::string>{"1 TimeFormat", "2 X", "4 EventsEnabled"}));
    EXPECT_EQ(matching_name(Kind::CE, "CE_LOT_START"), "lotstart");
    EXPECT_EQ(matching_name(Kind::FP, "FPP_A_B"), "ab");
    EXPECT_EQ(matching_name(Kind::SV, "CE_LOT"), "celot");
    // Shift-JIS is matched byte for byte: a trail byte is neither a letter to
    // fold (ア 83 41 is not ヂ 83 61) nor an underscore to drop (タ 83 5F).
    EXPECT_NE(matching_name(Kind::SV, "SV_\x83\x41"), matching_name(Kind::SV, "SV_\x83\x61"));
    EXPECT_EQ(matching_name(Kind::SV, "SV_\x83\x5f_A"),
              "\x83\x5f"
              "a");
}

TEST(Profile, CommentsAndBlankLinesAreSkippedBadLinesAreRefusedWithTheirLine) {
    EXPECT_EQ(missing("# GEM\n\n   \r\nSV Clock   # the clock\r\nSV Missing\r\n"),
              std::vector<std::string>{"5 Missing"});
    Profile p;
    std::string error;
    EXPECT_FALSE(p.parse("SV Clock\nXX Name\n", error));
    EXPECT_EQ(error, "profile:2: unknown kind XX");
    EXPECT_FALSE(p.parse("SV\n", error));
    EXPECT_EQ(error, "profile:1: expected one name after SV");
    EXPECT_FALSE(p.parse("SV Clock Extra\n", error));
    EXPECT_EQ(error, "profile:1: expected one name after SV");
    EXPECT_FALSE(p.read("/nonexistent/gem.txt", error));
    EXPECT_EQ(error, "cannot open /nonexistent/gem.txt");
}

TEST(Profile, TheShippedGemBasicProfileReadsAndNamesTheFundamentalVariables) {
    Profile p;
    std::string error;
    ASSERT_TRUE(p.read(std::string(ZOR_SOURCE_DIR) + "/inspect/profiles/gem-basic.txt", error))
        << error;
    std::vector<std::string> names;
    for (const auto& e : p.entries())
        names.push_back(std::string(kind_name(e.kind)) + " " + e.name);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "SV Clock", "SV ControlState", "SV EventsEnabled", "SV AlarmsEnabled",
                         "SV AlarmsSet", "SV ProcessState", "SV PreviousProcessState",
                         "EC EstablishCommunicationsTimeout", "EC TimeFormat"}));
}

}  // namespace
}  // namespace zor::inspect
