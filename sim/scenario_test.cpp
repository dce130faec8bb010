#include "sim/scenario.h"

#include <gtest/gtest.h>

namespace zor::sim {
namespace {

std::string refusal(const std::string& line) {
    Command c;
    bool blank = false;
    std::string error;
    if (parse_command(line, 1, c, blank, error)) return "accepted";
    return error;
}

TEST(Scenario, CommandsAndTheirParts) {
    Command c;
    bool blank = false;
    std::string error;
    ASSERT_TRUE(parse_command("  set DV_WAFER_ID \"W \\\"7\\\" a\" 2 ", 4, c, blank, error));
    EXPECT_FALSE(blank);
    EXPECT_EQ(c.kind, Command::Kind::set);
    EXPECT_EQ(c.values, (std::vector<std::string>{"W \"7\" a", "2"}));
    EXPECT_EQ(c.line, 4);
    EXPECT_EQ(c.text, "set DV_WAFER_ID \"W \\\"7\\\" a\" 2");
    ASSERT_TRUE(parse_command("WAIT 250ms", 1, c, blank, error));
    EXPECT_EQ(c.time, std::chrono::milliseconds(250));
    ASSERT_TRUE(parse_command("wait s6f12", 1, c, blank, error));
    EXPECT_EQ(c.kind, Command::Kind::wait_s6f12);
    ASSERT_TRUE(parse_command("expect S2F41", 1, c, blank, error));
    EXPECT_EQ(c.stream, 2);
    EXPECT_EQ(c.function, 41);
    ASSERT_TRUE(parse_command("alarm clear 6001", 1, c, blank, error));
    EXPECT_EQ(c.kind, Command::Kind::alarm_clear);
    ASSERT_TRUE(parse_command("   # note", 1, c, blank, error));
    EXPECT_TRUE(blank);
}

TEST(Scenario, RefusalsSayWhy) {
    EXPECT_EQ(refusal("set SV_X"), "expected set VARIABLE VALUE...");
    EXPECT_EQ(refusal("event"), "expected event EVENT");
    EXPECT_EQ(refusal("alarm toggle AL_X"), "expected alarm set ALARM or alarm clear ALARM");
    EXPECT_EQ(refusal("trace stop TR"), "expected trace start TRACE");
    EXPECT_EQ(refusal("wait 2h"), "expected wait TIME (2s, 500ms) or wait S6F12");
    EXPECT_EQ(refusal("wait -1s"), "expected wait TIME (2s, 500ms) or wait S6F12");
    EXPECT_EQ(refusal("expect S2F42"), "expected expect SxFy, a primary the host sends");
    EXPECT_EQ(refusal("expect S200F1"), "expected expect SxFy, a primary the host sends");
    EXPECT_EQ(refusal("quit now"), "expected quit");
    EXPECT_EQ(refusal("launch"), "unknown command launch");
}

}  // namespace
}  // namespace zor::sim
