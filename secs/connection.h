#pragma once
// The machinery both endpoints share: one HSMS-SS connection (and, on the
// passive side, the listener and the hosts being turned away), its timers
// and open transactions. Internal: users see PassiveEndpoint and
// ActiveEndpoint.

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/socket.h"
#include "secs/endpoint.h"

namespace zor::secs {

class Connection {
  public:
    using Clock = std::chrono::steady_clock;

    Connection(EndpointOptions options, bool passive);

    bool listen(const std::string& address, int port, std::string& error);
    int port() const { return listener_.local_port(); }
    bool connect(const std::string& host, int port, std::string& error);

    std::vector<Event> step(int timeout_ms);
    State state() const { return state_; }

    std::optional<std::uint32_t> send_primary(Message message);
    bool send_reply(const Message& reply);
    bool send_reply(const Message& reply, std::string_view encoded_body);
    bool send_raw(const std::string& bytes);
    // Sends a control request and starts T6 for it; its system bytes, or
    // nothing when the send failed.
    std::optional<std::uint32_t> request_control(SType type);
    // Sends a control request and waits for its response under T6; the
    // response's header, or nothing (time-out, reject, closed).
    std::optional<Header> control(SType type);
    // Sends a primary with the W-bit and waits for its reply under T3.
    std::optional<Message> request(Message primary);
    void separate();
    // Ends the connection; `why` becomes the closed event's text (none when
    // empty).
    void close(const std::string& why);

  private:
    struct Peer {
        platform::Socket socket;
        FrameReader reader;
        std::string address;
        Clock::time_point last_bytes;
        Clock::time_point t7_deadline;
        explicit Peer(std::uint32_t max_length) : reader(max_length) {}
    };
    struct Transaction {
        std::uint32_t system_bytes;
        Clock::time_point deadline;
        Header header;  // as sent
        Message message;
        SType type;  // data for a primary, else the control request
    };

    // Steps until the answer to `system_bytes` came or cannot come any more
    // (time-out, reject, closed); other events are kept for step().
    void await(std::uint32_t system_bytes);
    // One round: waits until something can be read or a timer is due (at
    // most `wait`), reads, handles, fires timers; events go to `out`.
    void pump(Clock::duration wait, std::vector<Event>& out);
    void read_main(std::vector<Event>& out);
    void read_refused(std::size_t index, std::vector<Event>& out);
    void accept_all(std::vector<Event>& out);
    void handle(const Frame& frame, std::vector<Event>& out);
    void handle_response(const Frame& frame, std::vector<Event>& out);
    void fire_timers(std::vector<Event>& out);
    Clock::time_point next_deadline() const;
    bool send(const std::string& bytes);
    bool send_control(const Header& header);
    void reject(const Header& rejected, std::uint8_t reason);
    void end(const std::string& why, std::vector<Event>& out);
    // Keeps what a blocking call saw for the next step(), within bounds.
    void keep(std::vector<Event>& events);
    std::uint32_t next_system_bytes();
    Clock::duration ms(int value) const { return std::chrono::milliseconds(value); }

    EndpointOptions options_;
    bool passive_;
    platform::Socket listener_;
    std::optional<Peer> main_;
    std::vector<Peer> refused_;
    State state_ = State::not_connected;
    std::vector<Transaction> open_;
    std::deque<Event> kept_;  // events that came while a blocking call waited
    std::vector<char> read_buffer_;
    std::string frame_;  // the last reply sent
    std::uint32_t system_counter_ = 0;
    std::optional<Clock::time_point> closed_at_;
    // What a blocking call waits for: its system bytes and, once come, the
    // answer.
    std::optional<std::uint32_t> awaited_;
    std::optional<Header> awaited_header_;
    std::optional<Message> awaited_reply_;
    bool awaited_failed_ = false;
};

}  // namespace zor::secs
