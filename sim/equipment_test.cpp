#include "sim/equipment.h"

#include <gtest/gtest.h>

#include "secs/item_codec.h"
#include "secs/sml.h"

namespace zor::sim {
namespace {

using secs::Item;
using secs::Message;
using namespace std::chrono_literals;

Variable sv(uint32_t id, const char* name, int format, const char* nominal) {
    Variable v;
    v.kind = VariableKind::SV;
    v.id = id;
    v.name = name;
    v.format = format;
    v.nominal = nominal;
    return v;
}

// The equipment with communication established by the host's S1F13.
Equipment established(Model model) {
    Equipment eq(std::move(model), {});
    eq.on_selected(false);
    auto a = eq.on_primary({0, 1, 13, true, 1, Item::list({})});
    EXPECT_TRUE(a.reply && a.reply->function == 14);
    EXPECT_TRUE(eq.communicating());
    return eq;
}

// The host's primary with the W-bit, written as SML; the reply as SML.
std::string ask(Equipment& eq, const std::string& sml) {
    auto m = secs::parse_sml_message(sml);
    EXPECT_EQ(m.error, "") << sml;
    m.message.wait = true;
    auto a = eq.on_primary(m.message);
    if (a.malformed) return "malformed";
    if (a.reply && a.encoded) {
        auto body = secs::decode(a.encoded->wire);
        EXPECT_TRUE(body.ok()) << body.error.reason;
        EXPECT_EQ(a.encoded->sml, secs::to_sml(body.item));
        a.reply->body = body.item;
    }
    return a.reply ? secs::to_sml(*a.reply) : "";
}

// What the equipment sent since the last call, as SML.
std::vector<std::string> sent(Equipment& eq) {
    std::vector<std::string> out;
    for (const auto& m : eq.outbox()) out.push_back(secs::to_sml(m));
    eq.outbox().clear();
    return out;
}

// Polls are answered from the last poll's encoding: every kind of change
// between polls must still show (a value set, an element of a list
// variable, the live alarm state, another set of IDs asked).
TEST(Equipment, RepeatedPollsShowEveryChange) {
    Model m;
    Variable dv = sv(4, "DV_D", 42, "7");
    dv.kind = VariableKind::DV;
    Variable list = sv(3, "SV_LIST", 0, "");
    list.elements = {1, 4};
    Variable alarms = sv(5, "SV_ALARMS_SET", 44, "");
    alarms.role = GemRole::alarms_set;
    m.variables = {sv(1, "SV_A", 44, "5"), sv(2, "SV_B", 16, "x"), list, dv, alarms};
    m.alarms = {{9, "AL_NINE", 4, "nine", std::nullopt, std::nullopt, true}};
    Equipment eq = established(std::move(m));
    const std::string all = "S1F3 <L[0]>", some = "S1F3 <L[3] <U4 2> <U4 99> <U4 4>>";
    EXPECT_EQ(ask(eq, all), "S1F4 <L[4] <U4 5> <A \"x\"> <L[2] <U4 5> <U2 7>> <U4>>");
    std::string error;
    ASSERT_TRUE(eq.set_value(1, {"123456"}, error)) << error;
    ASSERT_TRUE(eq.set_value(4, {"8"}, error)) << error;
    eq.set_alarm(9, true);
    EXPECT_EQ(ask(eq, all), "S1F4 <L[4] <U4 123456> <A \"x\"> <L[2] <U4 123456> <U2 8>> <U4 9>>");
    EXPECT_EQ(ask(eq, some), "S1F4 <L[3] <A \"x\"> <L[0]> <L[0]>>");
    ASSERT_TRUE(eq.set_value(2, {"a longer text"}, error)) << error;
    EXPECT_EQ(ask(eq, some), "S1F4 <L[3] <A \"a longer text\"> <L[0]> <L[0]>>");
    eq.set_alarm(9, false);
    EXPECT_EQ(ask(eq, all),
              "S1F4 <L[4] <U4 123456> <A \"a longer text\"> <L[2] <U4 123456> <U2 8>> <U4>>");
}

TEST(Equipment, AlarmTriggersItsEventsWithIdZeroDistinctFromNone) {
    Model m;
    m.events = {{0, "CE_ZERO", true, {}}, {7, "CE_SEVEN", true, {}}};
    m.alarms = {{1, "AL_ONE", 4, "one", 0u, std::nullopt, true},
                {2, "AL_TWO", 2, "two", std::nullopt, 7u, true}};
    Equipment eq = established(std::move(m));
    eq.set_alarm(1, true);
    EXPECT_EQ(sent(eq), (std::vector<std::string>{
                            "S5F1 W <L[3] <B 0x84> <U4 1> <A \"one\">>",
                            "S6F11 W <L[3] <U4 1> <U4 0> <L[0]>>",
                        }));
    eq.set_alarm(1, false);  // no clear event: no S6F11, not one for ID 0
    EXPECT_EQ(sent(eq), (std::vector<std::string>{"S5F1 W <L[3] <B 0x04> <U4 1> <A \"one\">>"}));
    eq.set_alarm(2, true);
    EXPECT_EQ(sent(eq), (std::vector<std::string>{"S5F1 W <L[3] <B 0x82> <U4 2> <A \"two\">>"}));
    eq.set_alarm(2, false);
    EXPECT_EQ(sent(eq), (std::vector<std::string>{
                            "S5F1 W <L[3] <B 0x02> <U4 2> <A \"two\">>",
                            "S6F11 W <L[3] <U4 2> <U4 7> <L[0]>>",
                        }));
}

TEST(Equipment, TraceSendsGroupsOfSamplesUntilTheTotal) {
    Model m;
    m.variables = {sv(10, "SV_TEMP", 36, "1.5"), sv(11, "SV_COUNT", 42, "3")};
    // Built member by member: GCC 12 at -O3 takes the nested braces of an
    // initializer list for an uninitialized string.
    Trace trace;
    trace.name = "TR";
    trace.trid = {"T1", 16, 2, 8};
    trace.period = "00000005";
    trace.total_samples = 5;
    trace.group_size = 2;
    trace.variables = {10, 11};
    m.traces.push_back(std::move(trace));
    Equipment eq = established(std::move(m));
    auto t0 = Equipment::Clock::now();
    eq.start_trace(*eq.find_trace("tr"), t0);
    // One sample every 50 ms, sent two at a time; the last message holds
    // the fifth alone. SMPLN is the last sample's number.
    const std::string two = "<L[4] <F4 1.5> <U2 3> <F4 1.5> <U2 3>>";
    struct Step {
        int ms, smpln;
        std::string values;
    };
    const Step steps[] = {{0, 0, ""},    {50, 2, two},
                          {100, 0, ""},  {149, 0, ""},  // not yet due
                          {150, 4, two}, {200, 5, "<L[2] <F4 1.5> <U2 3>>"},
                          {1000, 0, ""}};
    for (const auto& step : steps) {
        eq.poll(t0 + std::chrono::milliseconds(step.ms));
        auto out = sent(eq);
        if (!step.smpln) {
            EXPECT_TRUE(out.empty()) << step.ms << " ms: " << out.front();
            continue;
        }
        ASSERT_EQ(out.size(), 1u) << step.ms << " ms";
        // TRID, SMPLN, STIME (16 digits: no clock variable), the values.
        std::string head = "S6F1 W <L[4] <A \"T1\"> <U4 " + std::to_string(step.smpln) + "> <A \"";
        EXPECT_TRUE(out[0].starts_with(head)) << out[0];
        EXPECT_EQ(out[0].find('"', head.size()), head.size() + 16) << out[0];
        EXPECT_TRUE(out[0].ends_with("\"> " + step.values + ">")) << out[0];
    }
    EXPECT_EQ(eq.active_traces(), 0u);
    EXPECT_FALSE(eq.next_due());
}

TEST(Equipment, SpoolSettingOfTheHostReplacesTheWholeSetting) {
    Model m;
    m.events = {{7, "CE_SEVEN", true, {}}};
    m.alarms = {{1, "AL_ONE", 4, "one", std::nullopt, std::nullopt, true}};
    m.spools = {{5, {1}}, {6, {11}}};
    Equipment eq = established(std::move(m));
    auto spooled_after_loss = [&] {
        eq.on_disconnected();
        eq.trigger(7);
        eq.set_alarm(1, true);
        eq.set_alarm(1, false);
        std::vector<int> streams;
        for (const auto& s : eq.spool().take()) streams.push_back(s.stream);
        eq.on_selected(false);
        EXPECT_EQ(ask(eq, "S1F13 <L[0]>").substr(0, 18), "S1F14 <L[2] <B 0x0");
        return streams;
    };
    EXPECT_EQ(spooled_after_loss(), (std::vector<int>{6, 5, 5}));
    EXPECT_EQ(ask(eq, "S2F43 <L[1] <L[2] <U1 5> <L[0]>>>"), "S2F44 <L[2] <B 0x00> <L[0]>>");
    EXPECT_EQ(spooled_after_loss(), (std::vector<int>{5, 5}));
    // A refused setting changes nothing; the functions in a list of items.
    EXPECT_EQ(ask(eq,
                  "S2F43 <L[3] <L[2] <U1 6> <L[1] <U1 11>>> <L[2] <U1 6> <L[1] <U1 12>>> "
                  "<L[2] <U1 3> <L[2] <U1 1> <U1 3>>>>"),
              "S2F44 <L[2] <B 0x01> <L[2] <L[3] <U1 6> <B 0x04> <L[1] <U1 12>>> "
              "<L[3] <U1 3> <B 0x02> <L[2] <U1 1> <U1 3>>>>>");
    EXPECT_EQ(spooled_after_loss(), (std::vector<int>{5, 5}));
    EXPECT_EQ(ask(eq, "S2F43 <L[1] <L[2] <U1 6> <L[1] <U1 11>>>>"), "S2F44 <L[2] <B 0x00> <L[0]>>");
    EXPECT_EQ(spooled_after_loss(), (std::vector<int>{6}));
    EXPECT_EQ(ask(eq, "S2F43 <L[0]>"), "S2F44 <L[2] <B 0x00> <L[0]>>");
    EXPECT_EQ(spooled_after_loss(), (std::vector<int>{}));
}

TEST(Equipment, ProcessProgramGrantWeighsWhatTheUploadsAlreadyHold) {
    Equipment eq = established({});
    constexpr uint32_t kMiB = 1024 * 1024;
    auto inquire = [&](const std::string& ppid, uint32_t length) {
        return ask(eq, "S7F1 <L[2] " + ppid + " <U4 " + std::to_string(length) + ">>");
    };
    EXPECT_EQ(inquire("<U4 1>", 5), "S7F2 <B 0x03>");  // no PPID
    EXPECT_EQ(inquire("<A \"P1\">", 64 * kMiB + 1), "S7F2 <B 0x02>");
    EXPECT_EQ(inquire("<A \"P1\">", 64 * kMiB), "S7F2 <B 0x00>");
    auto a =
        eq.on_primary({0, 7, 3, true, 2,
                       Item::list({Item::ascii("P1"), Item::ascii(std::string(40 * kMiB, 'x'))})});
    ASSERT_TRUE(a.reply);
    EXPECT_EQ(secs::to_sml(*a.reply), "S7F4 <B 0x00>");
    EXPECT_EQ(inquire("<A \"P2\">", 24 * kMiB + 1), "S7F2 <B 0x02>");
    EXPECT_EQ(inquire("<A \"P2\">", 24 * kMiB), "S7F2 <B 0x00>");
    // P1 again replaces its own body.
    EXPECT_EQ(inquire("<A \"P1\">", 64 * kMiB), "S7F2 <B 0x00>");
}

}  // namespace
}  // namespace zor::sim
