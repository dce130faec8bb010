// The HSMS-SS state machine over real loopback sockets, with short timers.
// A raw socket plays the host where the bytes themselves matter; an active
// endpoint on a second thread where both sides are ours.
#include "secs/endpoint.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "platform/socket.h"
#include "secs/test_bytes.h"

namespace zor::secs {
namespace {

using Kind = Event::Kind;
using Clock = std::chrono::steady_clock;

EndpointOptions short_timers() {
    EndpointOptions options;
    options.timeouts = {.t3_ms = 200, .t5_ms = 50, .t6_ms = 200, .t7_ms = 300, .t8_ms = 150};
    options.max_message_length = 4096;
    return options;
}

// Steps until an event of `kind` comes (true) or `ms` pass; every event
// seen goes to `seen`.
template <class Endpoint>
bool step_until(Endpoint& endpoint, Kind kind, std::vector<Event>& seen, int ms = 2000) {
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        for (Event& e : endpoint.step(20)) {
            seen.push_back(e);
            if (e.kind == kind) return true;
        }
    }
    return false;
}

template <class Endpoint>
Event expect_event(Endpoint& endpoint, Kind kind, int ms = 2000) {
    std::vector<Event> seen;
    EXPECT_TRUE(step_until(endpoint, kind, seen, ms)) << "no event of kind " << int(kind);
    return seen.empty() ? Event{} : seen.back();
}

// A host made of a bare socket: writes and reads frames byte for byte.
class RawHost {
  public:
    explicit RawHost(int port) {
        std::string error;
        socket_ = platform::Socket::connect("127.0.0.1", port, 1000, error);
        EXPECT_TRUE(socket_.is_open()) << error;
    }
    void send(const std::string& wire) { EXPECT_TRUE(socket_.send_all(wire, 1000)); }
    // The next whole frame (length, header, body), or "" when none comes or
    // the connection ends. The passive side is stepped meanwhile.
    std::string frame(PassiveEndpoint& passive, std::vector<Event>* events = nullptr) {
        auto end = Clock::now() + std::chrono::milliseconds(2000);
        while (Clock::now() < end) {
            if (buffer_.size() >= 4) {
                std::size_t length = (std::uint8_t(buffer_[0]) << 24) |
                                     (std::uint8_t(buffer_[1]) << 16) |
                                     (std::uint8_t(buffer_[2]) << 8) | std::uint8_t(buffer_[3]);
                if (buffer_.size() >= 4 + length) {
                    std::string out = buffer_.substr(0, 4 + length);
                    buffer_.erase(0, 4 + length);
                    return out;
                }
            }
            for (Event& e : passive.step(10))
                if (events) events->push_back(e);
            char chunk[4096];
            std::size_t got = 0;
            auto r = socket_.receive(chunk, sizeof chunk, got, 10);
            if (r == platform::Socket::Received::closed) return "";
            buffer_.append(chunk, got);
        }
        return "";
    }
    // True when the peer closed the connection within `ms`.
    bool closed(PassiveEndpoint& passive, int ms = 2000) {
        auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < end) {
            passive.step(10);
            char chunk[256];
            std::size_t got = 0;
            if (socket_.receive(chunk, sizeof chunk, got, 10) == platform::Socket::Received::closed)
                return true;
        }
        return false;
    }

  private:
    platform::Socket socket_;
    std::string buffer_;
};

std::string control(SType type, std::uint32_t system_bytes, int byte2 = 0, int byte3 = 0) {
    return encode_frame(control_header(type, system_bytes, static_cast<std::uint8_t>(byte2),
                                       static_cast<std::uint8_t>(byte3)));
}

class Passive : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(passive.listen("127.0.0.1", 0, error)) << error;
        ASSERT_GT(passive.port(), 0);
    }
    // A raw host connected and selected.
    RawHost selected_host() {
        RawHost host(passive.port());
        expect_event(passive, Kind::connected);
        host.send(control(SType::select_req, 1));
        EXPECT_EQ(host.frame(passive), control(SType::select_rsp, 1, 0, kSelectOk));
        EXPECT_EQ(passive.state(), State::selected);
        return host;
    }
    PassiveEndpoint passive{short_timers()};
};

TEST_F(Passive, AnswersTheControlMessagesItself) {
    RawHost host(passive.port());
    Event connected = expect_event(passive, Kind::connected);
    EXPECT_EQ(connected.text.rfind("127.0.0.1:", 0), 0u) << connected.text;
    EXPECT_EQ(passive.state(), State::not_selected);

    // Not selected yet: data is rejected (reason 4) under its own session
    // ID, a deselect is answered "not established", a linktest is answered.
    host.send(encode_message(
        {.device_id = 7, .stream = 1, .function = 1, .wait = true, .system_bytes = 3, .body = {}}));
    EXPECT_EQ(host.frame(passive),
              bytes({0, 0, 0, 0x0A, 0x00, 0x07, 0, kRejectNotSelected, 0, 0x07, 0, 0, 0, 3}));
    host.send(control(SType::deselect_req, 4));
    EXPECT_EQ(host.frame(passive), control(SType::deselect_rsp, 4, 0, kDeselectNotEstablished));
    host.send(control(SType::linktest_req, 5));
    EXPECT_EQ(host.frame(passive), control(SType::linktest_rsp, 5));

    std::vector<Event> events;
    host.send(bytes({0, 0, 0, 0x0A, 0xFF, 0xFF, 0, 0, 0, 0x01, 0, 0, 0, 6}));
    EXPECT_EQ(host.frame(passive, &events),
              bytes({0, 0, 0, 0x0A, 0xFF, 0xFF, 0, 0, 0, 0x02, 0, 0, 0, 6}));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Kind::selected);
    // A second select.req on the selected connection: "already active".
    host.send(control(SType::select_req, 7));
    EXPECT_EQ(host.frame(passive), control(SType::select_rsp, 7, 0, kSelectAlreadyActive));

    // Unknown SType, a PType other than SECS-II, a response nobody asked for.
    host.send(control(SType(8), 8));
    EXPECT_EQ(host.frame(passive), control(SType::reject_req, 8, 8, kRejectSTypeNotSupported));
    Header odd = control_header(SType::linktest_req, 9);
    odd.ptype = 3;
    host.send(encode_frame(odd));
    EXPECT_EQ(host.frame(passive), control(SType::reject_req, 9, 3, kRejectPTypeNotSupported));
    host.send(control(SType::linktest_rsp, 10));
    EXPECT_EQ(host.frame(passive), control(SType::reject_req, 10, 6, kRejectTransactionNotOpen));
    EXPECT_EQ(passive.state(), State::selected);

    host.send(control(SType::deselect_req, 11));
    events.clear();
    EXPECT_EQ(host.frame(passive, &events), control(SType::deselect_rsp, 11, 0, kDeselectOk));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Kind::deselected);
    EXPECT_EQ(passive.state(), State::not_selected);

    host.send(control(SType::select_req, 12));
    EXPECT_EQ(host.frame(passive), control(SType::select_rsp, 12, 0, kSelectOk));
    host.send(control(SType::separate_req, 13));
    Event closed = expect_event(passive, Kind::closed);
    EXPECT_EQ(closed.text, "separate.req from the peer");
    EXPECT_EQ(passive.state(), State::not_connected);
    EXPECT_TRUE(host.closed(passive));
}

TEST_F(Passive, DeliversDataAndKeepsItsTransactions) {
    RawHost host = selected_host();
    // A primary from the host, its header kept for an S9 answer.
    std::string s1f3 =
        bytes({0, 0, 0, 0x0E, 0x00, 0x01, 0x81, 0x03, 0, 0, 0, 0, 0, 0x21, 0x01, 0x01, 0x01, 0x00});
    host.send(s1f3);
    Event got = expect_event(passive, Kind::message);
    EXPECT_EQ(got.header.bytes_string(), s1f3.substr(4, 10));
    EXPECT_EQ(got.message.body, Item::list({Item()}));
    EXPECT_TRUE(passive.send_reply(make_reply(got.message, Item::list({Item::u4(1001)}))));
    EXPECT_EQ(host.frame(passive),
              bytes({0, 0, 0,    0x12, 0x00, 0x01, 0x01, 0x04, 0,    0,    0,
                     0, 0, 0x21, 0x01, 0x01, 0xB1, 0x04, 0x00, 0x00, 0x03, 0xE9}));

    // A body that does not decode still comes, with the reason.
    host.send(bytes({0, 0, 0, 0x0D, 0x00, 0x01, 0x81, 0x03, 0, 0, 0, 0, 0, 0x22, 0xB1, 0x01, 0}));
    got = expect_event(passive, Kind::message);
    EXPECT_EQ(got.body_error.kind, DecodeError::Kind::bad_length);
    EXPECT_EQ(got.message.system_bytes, 0x22u);

    // Our primary with the W-bit: answered in time it is a reply...
    auto first =
        passive.send_primary({.stream = 6, .function = 11, .wait = true, .body = Item::list({})});
    ASSERT_TRUE(first);
    std::string primary = host.frame(passive);
    ASSERT_EQ(primary.size(), 16u);
    EXPECT_EQ(primary.substr(4, 10),
              message_header(
                  {.stream = 6, .function = 11, .wait = true, .system_bytes = *first, .body = {}})
                  .bytes_string());
    host.send(encode_message({.stream = 6,
                              .function = 12,
                              .system_bytes = *first,
                              .body = Item::binary(std::string(1, '\0'))}));
    got = expect_event(passive, Kind::reply);
    EXPECT_EQ(got.message.function, 12);
    // ...and the same reply again answers nothing open: a plain message.
    host.send(encode_message({.stream = 6, .function = 12, .system_bytes = *first, .body = {}}));
    expect_event(passive, Kind::message);

    // ...not answered, T3 reports it with the primary's header.
    // T3 runs from the send, so the time is taken before it.
    auto sent = Clock::now();
    auto second = passive.send_primary({.stream = 5, .function = 1, .wait = true, .body = {}});
    ASSERT_TRUE(second);
    ASSERT_NE(*first, *second);
    Event late = expect_event(passive, Kind::reply_timeout);
    EXPECT_GE(Clock::now() - sent, std::chrono::milliseconds(200));
    EXPECT_EQ(late.header.system_bytes, *second);
    EXPECT_EQ(late.header.byte2, 0x85);
    EXPECT_EQ(late.message.function, 1);
    // A reply after T3 belongs to nothing.
    host.send(encode_message({.stream = 5, .function = 2, .system_bytes = *second, .body = {}}));
    expect_event(passive, Kind::message);
    EXPECT_EQ(passive.state(), State::selected);
}

TEST_F(Passive, TimersEndTheConnection) {
    {
        // T7: connected, never selected (T7 runs from the accept).
        auto start = Clock::now();
        RawHost host(passive.port());
        expect_event(passive, Kind::connected);
        Event closed = expect_event(passive, Kind::closed);
        EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(250));
        EXPECT_EQ(closed.text, "T7: not selected in time");
        EXPECT_TRUE(host.closed(passive));
    }
    {
        // T8: half a frame, then silence.
        RawHost host = selected_host();
        host.send(control(SType::linktest_req, 2).substr(0, 7));
        Event closed = expect_event(passive, Kind::closed);
        EXPECT_EQ(closed.text, "T8: the rest of a frame did not come in time");
    }
    {
        // T6: our linktest.req unanswered.
        RawHost host = selected_host();
        ASSERT_TRUE(passive.linktest());
        std::string request = host.frame(passive);
        ASSERT_EQ(request.size(), 14u);
        EXPECT_EQ(request[9], 5);
        Event closed = expect_event(passive, Kind::closed);
        EXPECT_EQ(closed.text, "T6: no answer to a control request in time");
    }
    {
        // Answered in time, it keeps the connection.
        RawHost host = selected_host();
        ASSERT_TRUE(passive.linktest());
        std::string request = host.frame(passive);
        ASSERT_EQ(request.size(), 14u);
        Header h = Header::from_bytes(reinterpret_cast<const std::uint8_t*>(request.data() + 4));
        host.send(control(SType::linktest_rsp, h.system_bytes));
        std::vector<Event> seen;
        EXPECT_FALSE(step_until(passive, Kind::closed, seen, 400));
        EXPECT_EQ(passive.state(), State::selected);
    }
}

TEST_F(Passive, BadFramesEndTheConnectionAndTheNextHostIsServed) {
    {
        RawHost host = selected_host();
        host.send(bytes({0, 0, 0, 3, 1, 2, 3}));
        EXPECT_EQ(expect_event(passive, Kind::closed).text,
                  "bad frame: frame length 3 is below 10");
    }
    {
        RawHost host = selected_host();
        host.send(bytes({0x7F, 0xFF, 0xFF, 0xFF}));
        EXPECT_EQ(expect_event(passive, Kind::closed).text,
                  "bad frame: frame length 2147483647 is above the limit of 4096");
    }
    {
        RawHost host = selected_host();
        host.closed(passive, 0);
    }
    EXPECT_EQ(expect_event(passive, Kind::closed).text, "the peer closed the connection");
    RawHost again = selected_host();
    EXPECT_EQ(passive.state(), State::selected);
}

TEST_F(Passive, OneHostAtATime) {
    RawHost first = selected_host();
    // The second asks to be selected: "already active", then closed.
    RawHost second(passive.port());
    second.send(control(SType::select_req, 40));
    std::vector<Event> events;
    EXPECT_EQ(second.frame(passive, &events),
              control(SType::select_rsp, 40, 0, kSelectAlreadyActive));
    EXPECT_TRUE(second.closed(passive));
    // A third says nothing: closed after T7.
    RawHost third(passive.port());
    EXPECT_TRUE(third.closed(passive, 1000));
    // The first never noticed.
    first.send(control(SType::linktest_req, 41));
    EXPECT_EQ(first.frame(passive, &events), control(SType::linktest_rsp, 41));
    int refused = 0;
    for (const Event& e : events) {
        EXPECT_NE(e.kind, Kind::closed);
        refused += e.kind == Kind::refused;
    }
    EXPECT_GE(refused, 1);
    EXPECT_EQ(passive.state(), State::selected);
}

TEST_F(Passive, ManyHostsAtOnceAreTurnedAwayWithoutGrowing) {
    RawHost first = selected_host();
    std::vector<RawHost> crowd;
    int refused = 0;
    for (int i = 0; i < 12; ++i) {
        crowd.emplace_back(passive.port());
        for (const Event& e : passive.step(0)) refused += e.kind == Kind::refused;
    }
    auto end = Clock::now() + std::chrono::milliseconds(1500);
    while (refused < 12 && Clock::now() < end)
        for (const Event& e : passive.step(20)) refused += e.kind == Kind::refused;
    EXPECT_EQ(refused, 12);
    for (RawHost& host : crowd) EXPECT_TRUE(host.closed(passive, 200));
    first.send(control(SType::linktest_req, 50));
    EXPECT_EQ(first.frame(passive), control(SType::linktest_rsp, 50));
}

// Both ends ours: the passive one steps on its own thread.
class Pair : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(passive.listen("127.0.0.1", 0, error)) << error;
        worker = std::thread([this] {
            while (!stop) {
                for (Event& e : passive.step(10)) {
                    if (e.kind == Kind::message && e.message.wait)
                        passive.send_reply(make_reply(e.message, e.message.body));
                    std::lock_guard lock(mutex);
                    events.push_back(std::move(e));
                }
            }
        });
    }
    void TearDown() override {
        stop = true;
        worker.join();
    }
    std::vector<Kind> kinds() {
        std::lock_guard lock(mutex);
        std::vector<Kind> out;
        for (const Event& e : events) out.push_back(e.kind);
        return out;
    }

    PassiveEndpoint passive{short_timers()};
    std::thread worker;
    std::atomic<bool> stop = false;
    std::mutex mutex;
    std::vector<Event> events;
};

TEST_F(Pair, HostSelectsTalksAndSeparates) {
    ActiveEndpoint host(short_timers());
    std::string error;
    ASSERT_TRUE(host.connect("127.0.0.1", passive.port(), error)) << error;
    EXPECT_EQ(host.state(), State::not_selected);
    EXPECT_EQ(host.request({.stream = 1, .function = 1, .body = {}}),
              std::nullopt);  // not selected
    ASSERT_TRUE(host.select());
    EXPECT_EQ(host.select_status(), kSelectOk);
    EXPECT_EQ(host.state(), State::selected);
    EXPECT_FALSE(host.select());
    EXPECT_EQ(host.select_status(), kSelectAlreadyActive);
    EXPECT_TRUE(host.linktest());

    Item body = Item::list({Item::u4(1), Item::ascii("\x83\x65\x83\x58\x83\x67")});
    auto reply = host.request({.device_id = 3, .stream = 1, .function = 3, .body = body});
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->function, 4);
    EXPECT_EQ(reply->device_id, 3);
    EXPECT_EQ(reply->body, body);

    EXPECT_TRUE(host.deselect());
    EXPECT_EQ(host.state(), State::not_selected);
    EXPECT_FALSE(host.send_primary({.stream = 1, .function = 1, .body = {}}));
    ASSERT_TRUE(host.select());
    auto separated = Clock::now();
    host.separate();
    EXPECT_EQ(host.state(), State::not_connected);
    auto end = Clock::now() + std::chrono::milliseconds(1000);
    while (kinds().empty() || kinds().back() != Kind::closed) {
        ASSERT_LT(Clock::now(), end);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::connected, Kind::selected, Kind::message,
                                          Kind::deselected, Kind::selected, Kind::closed}));

    // T5: the next connect waits after the separation.
    ASSERT_TRUE(host.connect("127.0.0.1", passive.port(), error)) << error;
    EXPECT_GE(Clock::now() - separated, std::chrono::milliseconds(50));
    EXPECT_TRUE(host.select());
}

TEST(ActiveEndpoint, GivesUpOnSilenceAndOnFloods) {
    std::string error;
    auto listener = platform::Socket::listen("127.0.0.1", 0, error);
    ASSERT_TRUE(listener.is_open()) << error;
    ActiveEndpoint host(short_timers());
    ASSERT_TRUE(host.connect("127.0.0.1", listener.local_port(), error)) << error;
    platform::Socket equipment;
    for (int i = 0; i < 100 && !equipment.is_open(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        equipment = listener.accept();
    }
    ASSERT_TRUE(equipment.is_open());
    // Silence: select.req unanswered ends the connection after T6.
    EXPECT_FALSE(host.select());
    EXPECT_EQ(host.select_status(), -1);
    EXPECT_EQ(host.state(), State::not_connected);
    // What came while select() waited is handed back at once.
    auto before = Clock::now();
    std::vector<Event> events = host.step(1000);
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(500));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, Kind::connected);
    EXPECT_EQ(events[1].text, "T6: no answer to a control request in time");

    ASSERT_TRUE(host.connect("127.0.0.1", listener.local_port(), error)) << error;
    equipment = platform::Socket();
    for (int i = 0; i < 100 && !equipment.is_open(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        equipment = listener.accept();
    }
    ASSERT_TRUE(equipment.is_open());
    // The equipment answers the select.req it will get (system bytes 2, the
    // endpoint's second request) before it comes, then floods the host
    // with primaries that want no reply, and never answers the host's own.
    std::string flood = control(SType::select_rsp, 2, 0, kSelectOk);
    for (int i = 0; i < 10001; ++i)
        flood += encode_message({.stream = 1, .function = 1, .system_bytes = 100u + i, .body = {}});
    ASSERT_TRUE(equipment.send_all(flood, 2000));
    ASSERT_TRUE(host.select());
    EXPECT_EQ(host.request({.stream = 1, .function = 3, .body = Item()}), std::nullopt);
    events = host.step(0);
    ASSERT_FALSE(events.empty());
    EXPECT_LE(events.size(), 10003u);
    EXPECT_EQ(events.back().kind, Kind::closed);
    EXPECT_EQ(events.back().text, "too many messages while waiting for an answer");
}

TEST(ActiveEndpoint, SaysWhyItCannotConnect) {
    // A port nobody listens on: take a free one and close it again.
    int port;
    {
        std::string error;
        auto s = platform::Socket::listen("127.0.0.1", 0, error);
        port = s.local_port();
    }
    ActiveEndpoint host(short_timers());
    std::string error;
    EXPECT_FALSE(host.connect("127.0.0.1", port, error));
    EXPECT_EQ(error,
              "cannot connect to 127.0.0.1:" + std::to_string(port) + ": Connection refused");
    PassiveEndpoint passive;
    EXPECT_FALSE(passive.listen("localhost", 1, error));
    EXPECT_EQ(error, "cannot listen on localhost:1: no IPv4 address and port");
}

}  // namespace
}  // namespace zor::secs
