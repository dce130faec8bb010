// ZorGemSim on the sample equipment, driven by a host over loopback HSMS:
// every message the equipment answers, its refusals, time-outs, spooling
// across a restart, and a scenario script.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <thread>

#include "secs/endpoint.h"
#include "secs/sml.h"
#include "tests/compile_run.h"
#include "tests/sim_run.h"

namespace zor::testing {
namespace {

using secs::Item;
using secs::Message;

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

secs::EndpointOptions host_options() {
    secs::EndpointOptions o;
    o.timeouts = {2000, 100, 2000, 2000, 2000};
    return o;
}

// The host: an active endpoint with messages written as SML.
class Host {
  public:
    explicit Host(int port, std::string address = "127.0.0.1")
        : port_(port), address_(std::move(address)), endpoint_(host_options()) {}

    bool open() {
        std::string error;
        return endpoint_.connect(address_, port_, error) && endpoint_.select();
    }
    // Connects and establishes communication: answers the equipment's S1F13.
    void establish() {
        ASSERT_TRUE(open());
        auto s1f13 = primary(2000);
        ASSERT_TRUE(s1f13);
        ASSERT_EQ(secs::to_sml(*s1f13), "S1F13 W <L[0]>");
        endpoint_.send_reply(secs::make_reply(*s1f13, parse("<L[2] <B 0x00> <L[0]>>")));
        // Answered in order: once this is, the S1F14 has been taken.
        ASSERT_TRUE(ask("S1F1").starts_with("S1F2 "));
    }
    static Item parse(const std::string& sml) {
        auto r = secs::parse_sml_item(sml);
        EXPECT_EQ(r.error, "") << sml;
        return r.item;
    }
    // Sends a primary with the W-bit; the reply's SML ("" when none came).
    std::string ask(const std::string& sml, uint16_t device = 0) {
        auto m = secs::parse_sml_message(sml);
        EXPECT_EQ(m.error, "") << sml;
        m.message.device_id = device;
        m.message.wait = true;
        auto reply = endpoint_.request(m.message);
        return reply ? secs::to_sml(*reply) : "";
    }
    // Sends a primary with the W-bit without waiting for its reply; its
    // system bytes.
    std::optional<uint32_t> send(const std::string& sml, uint16_t device = 0) {
        auto m = secs::parse_sml_message(sml);
        EXPECT_EQ(m.error, "") << sml;
        m.message.device_id = device;
        m.message.wait = true;
        auto sys = endpoint_.send_primary(m.message);
        EXPECT_TRUE(sys);
        return sys;
    }
    // The next primary of the equipment within `ms`.
    std::optional<Message> primary(int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (received_.empty() && std::chrono::steady_clock::now() < end)
            for (auto& e : endpoint_.step(50))
                if (e.kind == secs::Event::Kind::message) received_.push_back(e.message);
        if (received_.empty()) return std::nullopt;
        Message m = received_.front();
        received_.pop_front();
        return m;
    }
    void reply(const Message& primary, const std::string& sml) {
        endpoint_.send_reply(secs::make_reply(primary, parse(sml)));
    }
    secs::ActiveEndpoint& endpoint() { return endpoint_; }

  private:
    int port_;
    std::string address_;
    secs::ActiveEndpoint endpoint_;
    std::deque<Message> received_;
};

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        run_.write("eq.txt", read_file(ZOR_SOURCE_DIR "/examples/equipment.txt"));
        ASSERT_EQ(run_.compile("eq.txt"), 0) << run_.output();
        run_.write("eq.cnf", read_file(ZOR_SOURCE_DIR "/examples/equipment.cnf"));
    }
    // eq.cnf as the sample's with some keys' values replaced.
    void write_cnf(const std::vector<std::pair<std::string, std::string>>& keys) {
        std::string cnf = read_file(ZOR_SOURCE_DIR "/examples/equipment.cnf");
        for (const auto& [key, value] : keys) {
            size_t at = cnf.find("\n" + key + " ");
            ASSERT_NE(at, std::string::npos) << key;
            size_t end = cnf.find("\r\n", at + 1);
            cnf.replace(at + 1, end - at - 1, key + " = " + value);
        }
        run_.write("eq.cnf", cnf);
    }
    void start(std::vector<std::string> more = {}) {
        std::vector<std::string> args{"eq.cnf", "eq.fil", "--port", "0"};
        args.insert(args.end(), more.begin(), more.end());
        ASSERT_TRUE(sim_.start(run_.dir(), args)) << sim_.output() << sim_.errors();
        host_ = std::make_unique<Host>(sim_.port());
    }
    // Starts ZorGemSim with `args` after "eq.cnf eq.fil --port 0" where it
    // must not start: its exit status and standard error.
    std::pair<int, std::string> refused(std::vector<std::string> args) {
        args.insert(args.begin(), {"eq.cnf", "eq.fil", "--port", "0"});
        SimProcess sim;
        EXPECT_FALSE(sim.start(run_.dir(), args));
        int status = sim.wait(5000);
        return {status, sim.errors()};
    }
    CompileRun run_;
    SimProcess sim_;
    std::unique_ptr<Host> host_;
};

TEST_F(SimTest, IdentityValuesAndNamelists) {
    start({"--softrev", "V9"});
    host_->establish();
    Host& h = *host_;
    EXPECT_EQ(h.ask("S1F13 <L[0]>"), "S1F14 <L[2] <B 0x00> <L[2] <A \"CVD-300\"> <A \"V9\">>>");
    EXPECT_EQ(h.ask("S1F1"), "S1F2 <L[2] <A \"CVD-300\"> <A \"V9\">>");
    // Nominals in their formats, the list variable of its elements, the
    // control state live (ON-LINE REMOTE), an unknown SVID zero-length.
    EXPECT_EQ(h.ask("S1F3 <L[5] <U4 2002> <U2 2005> <U4 2006> <U4 2007> <U4 9999>>"),
              "S1F4 <L[5] <U1 5> <U4 0 0 0 0> <L[3] <F4 0> <F4 0> <U4 0 0 0 0>> "
              "<J \"待機中、表示のみ\"> <L[0]>>");
    std::string all = h.ask("S1F3 <L[0]>");
    EXPECT_TRUE(all.starts_with("S1F4 <L[7] <A \"20")) << all;  // the live clock, 16 digits
    EXPECT_EQ(h.ask("S1F11 <L[2] <U4 2003> <I2 1>>"),
              "S1F12 <L[2] <L[3] <U4 2003> <A \"SV_CHAMBER_TEMP\"> <A \"℃\">> "
              "<L[3] <U4 1> <A \"\"> <A \"\">>>");
    EXPECT_EQ(h.ask("S1F21 <L[1] <U4 3003>>"),
              "S1F22 <L[1] <L[3] <U4 3003> <A \"DV_FILM_THICKNESS\"> <A \"nm\">>>");
    // An event's VIDs are those of its linked reports, each once.
    EXPECT_EQ(h.ask("S1F23 <L[1] <U4 5002>>"),
              "S1F24 <L[1] <L[3] <U4 5002> <A \"CE_PROCESS_END\"> "
              "<L[5] <U4 2001> <U4 3001> <U4 3003> <U4 2003> <U4 2004>>>>");
}

TEST_F(SimTest, ConstantsAndClock) {
    start();
    host_->establish();
    Host& h = *host_;
    EXPECT_EQ(h.ask("S2F13 <L[3] <U4 1001> <U4 1004> <U4 77>>"),
              "S2F14 <L[3] <F4 350> <A \"Welcome, operator // CVD-300\"> <L[0]>>");
    // Any integer format for an integer constant, any float one for a float.
    EXPECT_EQ(h.ask("S2F15 <L[2] <L[2] <U4 1003> <I8 20>> <L[2] <U4 1001> <F8 400.5>>>"),
              "S2F16 <B 0x00>");
    EXPECT_EQ(h.ask("S2F13 <L[2] <U4 1003> <U4 1001>>"), "S2F14 <L[2] <U2 20> <F4 400.5>>");
    // Refusals change nothing, not even the entries that were good.
    EXPECT_EQ(h.ask("S2F15 <L[2] <L[2] <U4 1003> <U1 30>> <L[2] <U4 77> <U1 1>>>"),
              "S2F16 <B 0x01>");
    EXPECT_EQ(h.ask("S2F15 <L[2] <L[2] <U4 1003> <U1 30>> <L[2] <U4 1001> <F4 451>>>"),
              "S2F16 <B 0x03>");
    EXPECT_EQ(h.ask("S2F15 <L[1] <L[2] <U4 1003> <I1 -1>>>"), "S2F16 <B 0x03>");
    EXPECT_EQ(h.ask("S2F15 <L[1] <L[2] <U4 1001> <U4 400>>>"), "S2F16 <B 0x03>");
    EXPECT_EQ(h.ask("S2F15 <L[1] <L[2] <U4 1004> <A \"" + std::string(65, 'x') + "\">>>"),
              "S2F16 <B 0x03>");
    EXPECT_EQ(h.ask("S2F13 <L[1] <U4 1003>>"), "S2F14 <L[1] <U2 20>>");
    EXPECT_EQ(h.ask("S2F29 <L[1] <U4 1003>>"),
              "S2F30 <L[1] <L[6] <U4 1003> <A \"EC_ESTABLISH_TIMEOUT\"> <U2 1> <U2 120> <U2 10> "
              "<A \"s\">>>");
    EXPECT_EQ(h.ask("S2F31 <A \"2031020304050607\">"), "S2F32 <B 0x00>");
    std::string clock = h.ask("S2F17");
    EXPECT_TRUE(clock.starts_with("S2F18 <A \"2031020304")) << clock;
    EXPECT_EQ(h.ask("S1F3 <L[1] <U4 2001>>").substr(0, 24), "S1F4 <L[1] <A \"203102030");
    EXPECT_EQ(h.ask("S2F31 <A \"20311302\">"), "S2F32 <B 0x01>");
}

TEST_F(SimTest, ReportsLinksAndEvents) {
    start();
    host_->establish();
    Host& h = *host_;
    EXPECT_EQ(h.ask("S2F33 <L[2] <U4 1> <L[1] <L[2] <U4 4001> <L[1] <U4 2003>>>>>"),
              "S2F34 <B 0x03>");
    EXPECT_EQ(h.ask("S2F33 <L[2] <U4 1> <L[1] <L[2] <U4 7> <L[1] <U4 99>>>>>"), "S2F34 <B 0x04>");
    EXPECT_EQ(h.ask("S2F33 <L[2] <U4 1> <L[1] <L[2] <A \"7\"> <L[1] <U4 2003>>>>>"),
              "S2F34 <B 0x02>");
    std::string many = "<L[257]";
    for (int i = 0; i < 257; ++i) many += " <U4 2003>";
    EXPECT_EQ(h.ask("S2F33 <L[2] <U4 1> <L[1] <L[2] <U4 7> " + many + ">>>>"), "S2F34 <B 0x01>");
    EXPECT_EQ(h.ask("S2F33 <L[2] <U4 1> <L[1] <L[2] <U4 7> <L[2] <U4 2002> <U2 3001>>>>>"),
              "S2F34 <B 0x00>");
    EXPECT_EQ(h.ask("S2F35 <L[2] <U4 1> <L[1] <L[2] <U4 5002> <L[1] <U4 7>>>>>"), "S2F36 <B 0x03>");
    EXPECT_EQ(h.ask("S2F35 <L[2] <U4 1> <L[1] <L[2] <U4 1> <L[1] <U4 7>>>>>"), "S2F36 <B 0x04>");
    EXPECT_EQ(h.ask("S2F35 <L[2] <U4 1> <L[1] <L[2] <U4 5004> <L[1] <U4 8>>>>>"), "S2F36 <B 0x05>");
    EXPECT_EQ(h.ask("S2F35 <L[2] <U4 1> <L[1] <L[2] <F4 1> <L[1] <U4 7>>>>>"), "S2F36 <B 0x02>");
    EXPECT_EQ(h.ask("S2F35 <L[2] <U4 1> <L[1] <L[2] <U4 5004> <L[2] <U4 7> <U4 4003>>>>>"),
              "S2F36 <B 0x00>");
    EXPECT_EQ(h.ask("S2F37 <L[2] <BOOLEAN TRUE> <L[1] <U4 1>>>"), "S2F38 <B 0x01>");
    EXPECT_EQ(h.ask("S2F37 <L[2] <BOOLEAN TRUE> <L[1] <U4 5004>>>"), "S2F38 <B 0x00>");

    sim_.command("set SV_CHAMBER_TEMP 412.5");
    sim_.command("set DV_WAFER_ID \"W 07\"");
    sim_.command("event CE_PRESSURE_LIMIT");
    auto s6f11 = h.primary(2000);
    ASSERT_TRUE(s6f11);
    EXPECT_EQ(secs::to_sml(*s6f11),
              "S6F11 W <L[3] <U4 1> <U4 5004> <L[2] <L[2] <U4 7> <L[2] <U1 5> <A \"W 07\">>> "
              "<L[2] <U4 4003> <L[2] <F4 412.5> <F4 0>>>>>");
    h.reply(*s6f11, "<B 0x00>");
    EXPECT_EQ(h.ask("S6F15 <U4 5004>").substr(0, 40), "S6F16 <L[3] <U4 2> <U4 5004> <L[2] <L[2]");
    EXPECT_EQ(h.ask("S6F19 <U4 4003>"), "S6F20 <L[2] <F4 412.5> <F4 0>>");
    // Deleting a report drops its links; an empty list deletes everything.
    EXPECT_EQ(h.ask("S2F33 <L[2] <U4 2> <L[1] <L[2] <U4 7> <L[0]>>>>"), "S2F34 <B 0x00>");
    EXPECT_EQ(h.ask("S1F23 <L[1] <U4 5004>>"),
              "S1F24 <L[1] <L[3] <U4 5004> <A \"CE_PRESSURE_LIMIT\"> <L[2] <U4 2003> <U4 2004>>>>");
    EXPECT_EQ(h.ask("S2F33 <L[2] <U4 3> <L[0]>>"), "S2F34 <B 0x00>");
    EXPECT_EQ(h.ask("S6F19 <U4 4003>"), "S6F20 <L[0]>");
    // An enabled event with no report sends an empty report list; disabled
    // ones send nothing.
    EXPECT_EQ(h.ask("S2F37 <L[2] <BOOLEAN FALSE> <L[0]>>"), "S2F38 <B 0x00>");
    EXPECT_EQ(h.ask("S2F37 <L[2] <BOOLEAN TRUE> <L[1] <U4 5003>>>"), "S2F38 <B 0x00>");
    sim_.command("event CE_PROCESS_END");
    sim_.command("event 5003");
    s6f11 = h.primary(2000);
    ASSERT_TRUE(s6f11);
    EXPECT_EQ(secs::to_sml(*s6f11), "S6F11 W <L[3] <U4 3> <U4 5003> <L[0]>>");
    h.reply(*s6f11, "<B 0x00>");
}

TEST_F(SimTest, Alarms) {
    start();
    host_->establish();
    Host& h = *host_;
    EXPECT_EQ(h.ask("S5F3 <L[2] <B 0x80> <U4 6003>>"), "S5F4 <B 0x00>");
    EXPECT_EQ(h.ask("S5F3 <L[2] <B 0x80> <U4 9>>"), "S5F4 <B 0x01>");
    EXPECT_EQ(h.ask("S5F3 <L[2] <B 0x00> <U4 6002>>"), "S5F4 <B 0x00>");
    EXPECT_EQ(h.ask("S2F37 <L[2] <BOOLEAN TRUE> <L[1] <U4 5009>>>"), "S2F38 <B 0x00>");
    sim_.command("alarm set AL_DOOR_OPEN");
    auto s5f1 = h.primary(2000);
    ASSERT_TRUE(s5f1);
    EXPECT_EQ(secs::to_sml(*s5f1),
              "S5F1 W <L[3] <B 0x81> <U4 6003> <A \"扉開放: 表示ランプ確認\">>");
    h.reply(*s5f1, "<B 0x00>");
    auto s6f11 = h.primary(2000);
    ASSERT_TRUE(s6f11);
    EXPECT_EQ(secs::to_sml(*s6f11), "S6F11 W <L[3] <U4 1> <U4 5009> <L[0]>>");
    h.reply(*s6f11, "<B 0x00>");
    EXPECT_EQ(h.ask("S5F5 <U4 6003 6002>"),
              "S5F6 <L[2] <L[3] <B 0x81> <U4 6003> <A \"扉開放: 表示ランプ確認\">> "
              "<L[3] <B 0x02> <U4 6002> <A \"真空リーク検出 (Pa > 1,000)\">>>");
    EXPECT_EQ(h.ask("S5F5 <L[1] <U2 6001>>"),
              "S5F6 <L[1] <L[3] <B 0x04> <U4 6001> <A \"ヒーター温度異常、加熱停止\">>>");
    std::string all = h.ask("S5F5 <U4>");
    EXPECT_TRUE(all.starts_with("S5F6 <L[3] ")) << all;
    EXPECT_EQ(h.ask("S5F7"),
              "S5F8 <L[2] <L[3] <B 0x04> <U4 6001> <A \"ヒーター温度異常、加熱停止\">> "
              "<L[3] <B 0x81> <U4 6003> <A \"扉開放: 表示ランプ確認\">>>");
    // A disabled alarm sends no S5F1: the clear's S6F11 (not enabled) neither.
    sim_.command("alarm set AL_VACUUM_LEAK");
    sim_.command("alarm clear AL_DOOR_OPEN");
    s5f1 = h.primary(2000);
    ASSERT_TRUE(s5f1);
    EXPECT_EQ(secs::to_sml(*s5f1).substr(0, 30), "S5F1 W <L[3] <B 0x01> <U4 6003");
    h.reply(*s5f1, "<B 0x00>");
    EXPECT_FALSE(h.primary(300));
}

TEST_F(SimTest, BadInputAndControlState) {
    start();
    host_->establish();
    Host& h = *host_;
    auto s9 = [&](const std::string& sml, uint16_t device, const std::string& want) {
        h.send(sml, device);
        auto m = h.primary(2000);
        ASSERT_TRUE(m) << sml;
        EXPECT_EQ(secs::to_sml(*m).substr(0, want.size()), want) << sml;
        ASSERT_TRUE(m->body);
        EXPECT_EQ(m->body->size(), 10u);
    };
    s9("S1F1", 5, "S9F1 <B 0x00 0x05 0x81 0x01");
    s9("S99F1", 0, "S9F3 <B 0x00 0x00 0xE3 0x01");
    s9("S1F99", 0, "S9F5 <B 0x00 0x00 0x81 0x63");
    s9("S1F3 <A \"x\">", 0, "S9F7 <B 0x00 0x00 0x81 0x03");
    s9("S2F33 <L[2] <U4 1> <U4 2>>", 0, "S9F7 ");
    // A body that is no item, and an item longer than the equipment takes.
    Message raw{0, 1, 3, true, 77, std::nullopt};
    std::string frame = secs::encode_message(raw);
    std::string bad = frame + "\x01\x05\x41";
    bad[3] = static_cast<char>(bad[3] + 3);
    ASSERT_TRUE(h.endpoint().send_raw(bad));
    auto m = h.primary(2000);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->function, 7);
    Message big{0, 7,
                3, true,
                0, Item::list({Item::ascii("P"), Item::binary(std::string(1 << 20 | 1, 'x'))})};
    EXPECT_TRUE(h.endpoint().send_primary(big));
    m = h.primary(2000);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->function, 11);
    EXPECT_EQ(h.ask("S2F41 <L[2] <A \"START\"> <L[0]>>"), "S2F42 <L[2] <B 0x01> <L[0]>>");

    // A second host is turned away while the first is selected.
    Host second(sim_.port());
    EXPECT_FALSE(second.open());
    EXPECT_EQ(second.endpoint().select_status(), 1);

    EXPECT_EQ(h.ask("S1F15"), "S1F16 <B 0x00>");
    EXPECT_EQ(h.ask("S1F3 <L[0]>"), "S1F0");
    EXPECT_EQ(h.ask("S1F17"), "S1F18 <B 0x00>");
    EXPECT_EQ(h.ask("S1F17"), "S1F18 <B 0x02>");
    sim_.command("offline");
    sim_.command("event CE_PROCESS_START");
    EXPECT_EQ(h.ask("S1F17"), "S1F18 <B 0x01>");
    EXPECT_EQ(h.ask("S2F13 <L[0]>"), "S2F0");
    EXPECT_FALSE(h.primary(200));  // no event report while off line
    sim_.command("online");
    EXPECT_EQ(h.ask("S1F3 <L[1] <U4 2002>>"), "S1F4 <L[1] <U1 5>>");
    sim_.command("disconnect");
    h.primary(300);
    EXPECT_EQ(h.endpoint().state(), secs::State::not_connected);
}

TEST_F(SimTest, TracesProgramsAndSpoolSetting) {
    start();
    host_->establish();
    Host& h = *host_;
    auto trace = [&](const std::string& dsper, int total, int group, const std::string& svids) {
        return h.ask("S2F23 <L[5] <U4 1> <A \"" + dsper + "\"> <U4 " + std::to_string(total) +
                     "> <U4 " + std::to_string(group) + "> " + svids + ">");
    };
    EXPECT_EQ(trace("000099", 4, 2, "<L[1] <U4 2003>>"), "S2F24 <B 0x03>");
    EXPECT_EQ(trace("00000005", 4, 2, "<L[1] <U4 3001>>"), "S2F24 <B 0x04>");
    EXPECT_EQ(trace("00000005", 4, 5, "<L[1] <U4 2003>>"), "S2F24 <B 0x05>");
    std::string many = "<L[257]";
    for (int i = 0; i < 257; ++i) many += " <U4 2003>";
    EXPECT_EQ(trace("00000005", 4, 2, many + ">"), "S2F24 <B 0x01>");
    sim_.command("set SV_CHAMBER_TEMP 25");
    EXPECT_EQ(trace("00000005", 4, 2, "<L[2] <U4 2003> <U4 2004>>"), "S2F24 <B 0x00>");
    for (int n : {2, 4}) {
        auto s6f1 = h.primary(2000);
        ASSERT_TRUE(s6f1);
        std::string text = secs::to_sml(*s6f1);
        EXPECT_TRUE(text.starts_with("S6F1 W <L[4] <U4 1> <U4 " + std::to_string(n) + "> <A \""))
            << text;
        EXPECT_TRUE(text.ends_with("<L[4] <F4 25> <F4 0> <F4 25> <F4 0>>>")) << text;
        h.reply(*s6f1, "<B 0x00>");
    }
    // TRACE_COUNT (8) traces at once, at most.
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(h.ask("S2F23 <L[5] <U4 " + std::to_string(100 + i) +
                        "> <A \"010000\"> <U4 9> <U4 1> <L[1] <U4 2003>>>"),
                  "S2F24 <B 0x00>");
    EXPECT_EQ(trace("010000", 4, 1, "<L[1] <U4 2003>>"), "S2F24 <B 0x02>");

    EXPECT_EQ(h.ask("S7F19"), "S7F20 <L[2] <A \"SIO2_100NM\"> <A \"SIN_50NM\">>");
    EXPECT_EQ(h.ask("S7F25 <A \"FPP_STD\">"),
              "S7F26 <L[4] <A \"FPP_STD\"> <A \"CVD-300\"> <A \"V1.02\"> <L[3] "
              "<L[2] <A \"HEAT\"> <L[2] <F4 350> <U2 600>>> "
              "<L[2] <A \"DEPO\"> <L[2] <F4 133.3> <A \"SiH4, N2O\">>> "
              "<L[2] <A \"PURGE\"> <L[0]>>>>");
    EXPECT_EQ(h.ask("S7F25 <A \"NONE\">"), "S7F26 <L[0]>");
    EXPECT_EQ(
        h.ask("S7F5 <A \"SIN_50NM\">"),
        "S7F6 <L[2] <A \"SIN_50NM\"> <A \"C:\\\\\\\\CVD300\\\\\\\\PP\\\\\\\\SIN_50NM.PPB\">>");
    EXPECT_EQ(h.ask("S7F1 <L[2] <A \"NEW\"> <U4 5>>"), "S7F2 <B 0x00>");
    EXPECT_EQ(h.ask("S7F3 <L[2] <A \"NEW\"> <A \"body!\">>"), "S7F4 <B 0x00>");
    EXPECT_EQ(h.ask("S7F5 <A \"NEW\">"), "S7F6 <L[2] <A \"NEW\"> <A \"body!\">>");
    // Binary IDs and bodies come back binary.
    EXPECT_EQ(h.ask("S7F3 <L[2] <B 0x42> <B 0x00 0xFF>>"), "S7F4 <B 0x00>");
    EXPECT_EQ(h.ask("S7F5 <B 0x42>"), "S7F6 <L[2] <B 0x42> <B 0x00 0xFF>>");

    EXPECT_EQ(h.ask("S2F43 <L[3] <L[2] <U1 1> <L[0]>> <L[2] <U1 6> <L[2] <U1 11> <U1 12>>> "
                    "<L[2] <U1 5> <L[1] <U1 1>>>>"),
              "S2F44 <L[2] <B 0x01> <L[2] <L[3] <U1 1> <B 0x01> <L[0]>> "
              "<L[3] <U1 6> <B 0x04> <L[2] <U1 11> <U1 12>>>>>");
    EXPECT_EQ(h.ask("S2F43 <L[1] <L[2] <U1 6> <L[1] <U1 11>>>>"), "S2F44 <L[2] <B 0x00> <L[0]>>");
    EXPECT_EQ(h.ask("S2F43 <L[0]>"), "S2F44 <L[2] <B 0x00> <L[0]>>");
}

TEST_F(SimTest, ReplyTimeoutSpoolAcrossRestartAndScript) {
    start({"--t3", "300"});
    host_->establish();
    Host& h = *host_;
    sim_.command("event CE_PROCESS_START");
    auto s6f11 = h.primary(2000);
    ASSERT_TRUE(s6f11);
    auto s9f9 = h.primary(2000);  // no S6F12 within T3
    ASSERT_TRUE(s9f9);
    EXPECT_EQ(s9f9->function, 9);
    EXPECT_EQ(secs::to_sml(*s9f9).substr(0, 27), "S9F9 <B 0x00 0x00 0x86 0x0B");

    // Spooled while no host listens, kept by a restarted equipment.
    h.endpoint().drop();
    sim_.command("set DV_LOT_ID LOT42");
    sim_.command("event CE_PROCESS_START");
    sim_.command("quit");
    EXPECT_EQ(sim_.wait(5000), 0);
    EXPECT_NE(sim_.output().find("CVD300/SPOOL"), std::string::npos) << sim_.output();
    EXPECT_TRUE(std::filesystem::exists(run_.dir() / "CVD300" / "SPOOL" / "spool.dat"));
    EXPECT_TRUE(std::filesystem::exists(run_.dir() / "CVD300" / "LOG" / "zoreng.log"));

    run_.write("script.txt",
               "# the host asks, the equipment reports\n"
               "expect S2F17\n"
               "set SV_CHAMBER_TEMP 400\n"
               "event CE_TEMP_LIMIT\n"
               "wait S6F12\n"
               "wait 10ms\n"
               "quit\n");
    start({"--script", "script.txt"});
    host_->establish();
    Host& again = *host_;
    EXPECT_EQ(again.ask("S6F23 <U1 0>"), "S6F24 <B 0x00>");
    auto spooled = again.primary(2000);
    ASSERT_TRUE(spooled);
    EXPECT_TRUE(secs::to_sml(*spooled).find("<A \"LOT42\">") != std::string::npos);
    again.reply(*spooled, "<B 0x00>");
    EXPECT_EQ(again.ask("S6F23 <U1 1>"), "S6F24 <B 0x02>");
    EXPECT_EQ(again.ask("S2F37 <L[2] <BOOLEAN TRUE> <L[1] <U4 5003>>>"), "S2F38 <B 0x00>");
    EXPECT_EQ(sim_.wait(200), -1);  // the script waits for the host's S2F17
    EXPECT_TRUE(again.ask("S2F17").starts_with("S2F18 <A \"20"));
    auto report = again.primary(2000);
    ASSERT_TRUE(report);
    EXPECT_TRUE(secs::to_sml(*report).ends_with("<L[2] <F4 400> <F4 0>>>>>"));
    EXPECT_EQ(sim_.wait(300), -1);  // and then for the S6F12
    again.reply(*report, "<B 0x00>");
    EXPECT_EQ(sim_.wait(5000), 0);
    // Every message in and out logged with direction and system bytes.
    std::string log = run_.read("CVD300/LOG/zoreng.log");
    EXPECT_NE(log.find("<- S2F17 W ["), std::string::npos);
    EXPECT_NE(log.find("-> S6F11 W ["), std::string::npos);
}

TEST_F(SimTest, BadScriptSaysWhereAndEnds) {
    run_.write("script.txt", "event CE_PROCESS_END\n\nalarm ring AL_DOOR_OPEN\n");
    EXPECT_EQ(refused({"--script", "script.txt"}),
              std::make_pair(1, std::string("ZorGemSim: script.txt:3: expected alarm set ALARM or "
                                            "alarm clear ALARM\n")));
    run_.write("script.txt", "event CE_NONE\n");
    EXPECT_EQ(
        refused({"--script", "script.txt"}),
        std::make_pair(1, std::string("ZorGemSim: script.txt:1: no collection event CE_NONE\n")));
}

TEST_F(SimTest, WhoEstablishesCommunicationAndAnOffLineStart) {
    const std::string s1f14 = "S1F14 <L[2] <B 0x00> <L[2] <A \"CVD-300\"> <A \"V1.02\">>>";
    // S1F13_SEND 0 or 1: the equipment sends no S1F13 and waits for the
    // host's; until then it answers everything else with SxF0.
    for (const char* send : {"0", "1"}) {
        SCOPED_TRACE(std::string("S1F13_SEND ") + send);
        write_cnf({{"S1F13_SEND", send}});
        start();
        Host& h = *host_;
        ASSERT_TRUE(h.open());
        EXPECT_FALSE(h.primary(300));
        EXPECT_EQ(h.ask("S1F1"), "S1F0");
        EXPECT_EQ(h.ask("S1F13 <L[0]>"), s1f14);
        EXPECT_EQ(h.ask("S1F1"), "S1F2 <L[2] <A \"CVD-300\"> <A \"V1.02\">>");
        EXPECT_FALSE(h.primary(100));
        EXPECT_EQ(sim_.stop(), 0);
    }
    // 2: it sends S1F13 itself; --offline starts EQUIPMENT OFF-LINE, where
    // every primary but S1F13 and S1F17 gets its stream's F0 and the host's
    // S1F17 is refused (ONLACK 1): only the operator brings it on line.
    write_cnf({{"S1F13_SEND", "2"}});
    start({"--offline"});
    EXPECT_NE(sim_.output().find(", EQUIPMENT OFF-LINE\n"), std::string::npos) << sim_.output();
    Host& h = *host_;
    ASSERT_TRUE(h.open());
    auto s1f13 = h.primary(2000);
    ASSERT_TRUE(s1f13);
    EXPECT_EQ(secs::to_sml(*s1f13), "S1F13 W <L[0]>");
    h.reply(*s1f13, "<L[2] <B 0x00> <L[0]>>");
    EXPECT_EQ(h.ask("S1F1"), "S1F0");
    EXPECT_EQ(h.ask("S2F17"), "S2F0");
    EXPECT_EQ(h.ask("S6F15 <U4 5001>"), "S6F0");
    EXPECT_EQ(h.ask("S1F15"), "S1F0");
    EXPECT_EQ(h.ask("S1F17"), "S1F18 <B 0x01>");
    EXPECT_EQ(h.ask("S1F13 <L[0]>"), s1f14);
    sim_.command("event CE_PROCESS_START");
    EXPECT_FALSE(h.primary(200));
    sim_.command("online");
    EXPECT_EQ(h.ask("S1F3 <L[1] <U4 2002>>"), "S1F4 <L[1] <U1 5>>");
    EXPECT_EQ(h.ask("S1F17"), "S1F18 <B 0x02>");
    // HOST OFF-LINE is left by the host's S1F17.
    EXPECT_EQ(h.ask("S1F15"), "S1F16 <B 0x00>");
    EXPECT_EQ(h.ask("S1F3 <L[1] <U4 2002>>"), "S1F0");
    EXPECT_EQ(h.ask("S1F17"), "S1F18 <B 0x00>");
    EXPECT_EQ(h.ask("S1F3 <L[1] <U4 2002>>"), "S1F4 <L[1] <U1 5>>");
}

// Refused or unanswered, the equipment's S1F13 is sent again after the
// establish communications timeout (the profile's constant, here 1 s).
TEST_F(SimTest, S1F13IsSentAgainAfterTheEstablishTimeout) {
    std::string source = read_file(ZOR_SOURCE_DIR "/examples/equipment.txt");
    size_t at = source.find("def_ec EC_ESTABLISH_TIMEOUT {");
    ASSERT_NE(at, std::string::npos);
    source.replace(at, 29, "def_ec EC_ESTABLISH_COMMUNICATIONS_TIMEOUT {");
    source.replace(source.find("nominal : 10", at), 12, "nominal : 1");
    run_.write("eq.txt", source);
    ASSERT_EQ(run_.compile("eq.txt"), 0) << run_.output();
    write_cnf({{"S1F13_SEND", "2"}});
    start({"--t3", "300"});
    Host& h = *host_;
    ASSERT_TRUE(h.open());
    auto first = h.primary(2000);
    ASSERT_TRUE(first);
    h.reply(*first, "<L[2] <B 0x01> <L[0]>>");
    auto denied_at = std::chrono::steady_clock::now();
    EXPECT_FALSE(h.primary(700)) << "again before the timeout";
    auto second = h.primary(2000);
    ASSERT_TRUE(second);
    EXPECT_EQ(secs::to_sml(*second), "S1F13 W <L[0]>");
    EXPECT_GE(std::chrono::steady_clock::now() - denied_at, std::chrono::milliseconds(900));
    // Not answered: T3, S9F9, and S1F13 once more.
    auto s9f9 = h.primary(2000);
    ASSERT_TRUE(s9f9);
    EXPECT_EQ(s9f9->stream * 100 + s9f9->function, 909);
    auto third = h.primary(2500);
    ASSERT_TRUE(third);
    EXPECT_EQ(secs::to_sml(*third), "S1F13 W <L[0]>");
    EXPECT_EQ(h.ask("S1F1"), "S1F0");
    h.reply(*third, "<L[2] <B 0x00> <L[0]>>");
    EXPECT_EQ(h.ask("S1F1"), "S1F2 <L[2] <A \"CVD-300\"> <A \"V1.02\">>");
    EXPECT_FALSE(h.primary(1500)) << "nothing more once communicating";
    EXPECT_EQ(sim_.stop(), 0);
}

TEST_F(SimTest, BindAddressAndDeviceId) {
    // Every address: a host reaches it on the loopback one.
    start({"--bind", "0.0.0.0"});
    EXPECT_NE(sim_.output().find("-- listening on 0.0.0.0:"), std::string::npos);
    host_->establish();
    EXPECT_EQ(sim_.stop(), 0);

    // One other loopback address: 127.0.0.1 is not listened on.
    start({"--bind", "127.0.0.2", "--device", "7"});
    Host elsewhere(sim_.port());
    EXPECT_FALSE(elsewhere.open());
    Host h(sim_.port(), "127.0.0.2");
    ASSERT_TRUE(h.open());
    auto s1f13 = h.primary(2000);
    ASSERT_TRUE(s1f13);
    EXPECT_EQ(s1f13->device_id, 7);
    h.reply(*s1f13, "<L[2] <B 0x00> <L[0]>>");
    EXPECT_EQ(h.ask("S1F1", 7), "S1F2 <L[2] <A \"CVD-300\"> <A \"V1.02\">>");
    // Another device ID: S9F1 with the message's 10-byte header as MHEAD.
    auto sys = h.send("S1F3 <L[0]>", 0);
    ASSERT_TRUE(sys);
    auto s9f1 = h.primary(2000);
    ASSERT_TRUE(s9f1);
    char mhead[96];
    std::snprintf(mhead, sizeof mhead,
                  "S9F1 <B 0x00 0x00 0x81 0x03 0x00 0x00 0x%02X 0x%02X 0x%02X 0x%02X>", *sys >> 24,
                  *sys >> 16 & 0xFF, *sys >> 8 & 0xFF, *sys & 0xFF);
    EXPECT_EQ(secs::to_sml(*s9f1), mhead);
    EXPECT_EQ(s9f1->device_id, 7);
    sim_.command("event CE_PROCESS_START");
    auto s6f11 = h.primary(2000);
    ASSERT_TRUE(s6f11);
    EXPECT_EQ(s6f11->device_id, 7);
    h.reply(*s6f11, "<B 0x00>");
    EXPECT_EQ(sim_.stop(), 0);

    EXPECT_EQ(refused({"--bind", "127.0.0.256"}),
              std::make_pair(1, std::string("ZorGemSim: cannot listen on 127.0.0.256:0: no IPv4 "
                                            "address and port\n")));
}

// A definitions' trace started by the script, an alarm whose set event has
// ID 0 (and no clear event), and the log rotated by the .cnf's LOG_SIZE.
TEST_F(SimTest, ScriptTraceAlarmEventZeroAndLogRotation) {
    run_.write("eq.txt", read_file(ZOR_SOURCE_DIR "/examples/equipment.txt") +
                             "def_ce CE_ZERO {\r\n    ceid    : 0\r\n    enabled : 1\r\n}\r\n"
                             "def_alarm AL_ZERO {\r\n    alid    : 6004\r\n    alcd    : 0x04\r\n"
                             "    altx    : \"zero\"\r\n    ce_on   : CE_ZERO\r\n"
                             "    enabled : 1\r\n}\r\n"
                             "def_trace TR_FAST {\r\n    trid    : A[1..8] FAST\r\n"
                             "    dsper   : 00000005\r\n    totsmp  : 5\r\n    repgsz  : 2\r\n"
                             "    svname  : SV_CHAMBER_TEMP\r\n    svname  : SV_GAS_FLOW\r\n}\r\n");
    ASSERT_EQ(run_.compile("eq.txt"), 0) << run_.output();
    write_cnf({{"LOG_PATH", "logs"}, {"LOG_FILE", "sim.log"}, {"LOG_SIZE", "8"}});
    run_.write("script.txt",
               "expect S1F1\n"
               "set SV_CHAMBER_TEMP 21.5\n"
               "trace start TR_FAST\n"
               "alarm set AL_ZERO\n"
               "alarm clear AL_ZERO\n");
    start({"--script", "script.txt"});
    host_->establish();
    Host& h = *host_;
    std::vector<std::string> traces, others;
    for (int i = 0; i < 6; ++i) {
        auto m = h.primary(2000);
        ASSERT_TRUE(m) << i;
        h.reply(*m, "<B 0x00>");
        (m->stream == 6 && m->function == 1 ? traces : others).push_back(secs::to_sml(*m));
    }
    EXPECT_FALSE(h.primary(200));
    EXPECT_EQ(others, (std::vector<std::string>{
                          "S5F1 W <L[3] <B 0x84> <U4 6004> <A \"zero\">>",
                          "S6F11 W <L[3] <U4 1> <U4 0> <L[0]>>",
                          "S5F1 W <L[3] <B 0x04> <U4 6004> <A \"zero\">>",
                      }));
    // TOTSMP 5 in groups of REPGSZ 2: three S6F1 with the last sample's
    // number, the last one holding one sample.
    const std::string sample = "<F4 21.5> <U4 0 0 0 0>";
    const std::pair<int, std::string> want[] = {
        {2, sample + " " + sample}, {4, sample + " " + sample}, {5, sample}};
    ASSERT_EQ(traces.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const std::string& t = traces[i];
        std::string head =
            "S6F1 W <L[4] <A \"FAST\"> <U4 " + std::to_string(want[i].first) + "> <A \"";
        EXPECT_TRUE(t.starts_with(head)) << t;
        EXPECT_EQ(t.find('"', head.size()), head.size() + 16) << t;  // STIME, 16 digits
        EXPECT_TRUE(t.ends_with("\"> <L[" + std::to_string(want[i].first == 5 ? 2 : 4) + "] " +
                                want[i].second + ">>"))
            << t;
    }
    sim_.command("quit");
    EXPECT_EQ(sim_.wait(5000), 0);
    // Rotated at LOG_SIZE lines; the two files together end what standard
    // output shows, so no entry was lost at a rotation.
    std::string previous = run_.read("logs/sim.log.1"), current = run_.read("logs/sim.log");
    EXPECT_EQ(std::count(previous.begin(), previous.end(), '\n'), 8);
    auto lines = std::count(current.begin(), current.end(), '\n');
    EXPECT_GE(lines, 1);
    EXPECT_LE(lines, 8);
    std::string out = sim_.output();
    EXPECT_GT(std::count(out.begin(), out.end(), '\n'), 16);
    EXPECT_TRUE(out.ends_with(previous + current)) << previous << "----\n" << current;
}

}  // namespace
}  // namespace zor::testing
