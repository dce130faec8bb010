#pragma once
// HSMS-SS endpoints over TCP: the passive one an equipment listens with, the
// active one a host connects with. Both keep the connection state
//   NOT CONNECTED -> NOT SELECTED (connected) -> SELECTED
// and answer the peer's control messages themselves: select.req (status 0,
// or 1 "already active" when selected), deselect.req, linktest.req,
// separate.req (the connection ends), and reject.req for an unknown SType,
// a PType other than 0, a response that answers nothing open, or a data
// message while not selected.
//
// Threads: an endpoint belongs to the one thread that calls it; nothing
// happens between calls. step() is where it waits, reads, answers control
// messages, runs the timers and hands back what the caller must know.
//
// Timers (milliseconds, tests shorten them):
//   T3 reply: a primary sent with the W-bit and not answered in time gives a
//      reply_timeout event (the caller sends S9F9 if it wants).
//   T5 connect separation: an active endpoint waits this long after a
//      connection ended before it connects again.
//   T6 control transaction: a select/deselect/linktest request not answered
//      in time ends the connection (closed event, "T6 ...").
//   T7 not selected: a connection not selected in time is closed.
//   T8 network intercharacter: a frame whose next bytes do not come in time
//      ends the connection.
//
// Robustness: whatever the peer sends, an endpoint neither crashes nor
// waits without a timer, and holds at most one frame of max_message_length
// plus one socket read. A frame longer than that, or shorter than a header,
// ends the connection. A data body that does not decode under `limits` is
// still delivered, with its header and body_error, so the caller can answer
// with S9F7 or S9F11.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "secs/hsms_frame.h"
#include "secs/item_codec.h"
#include "secs/message.h"

namespace zor::secs {

struct Timeouts {
    int t3_ms = 45000;
    int t5_ms = 10000;
    int t6_ms = 5000;
    int t7_ms = 10000;
    int t8_ms = 5000;
};

struct EndpointOptions {
    Timeouts timeouts;
    // Longest frame accepted (header and body, the frame's length field).
    std::uint32_t max_message_length = 16 * 1024 * 1024;
    DecodeLimits limits;
    // A passive endpoint's second and later hosts wait for their select.rsp
    // "already active" at most this many at a time; more are closed at once.
    int max_refused_pending = 4;
};

enum class State { not_connected, not_selected, selected };

struct Event {
    enum class Kind {
        connected,      // text: the peer's address; state NOT SELECTED
        selected,       // state SELECTED
        deselected,     // back to NOT SELECTED by a deselect
        closed,         // connection ended (separate, peer closed, a timer,
                        // a bad frame); text says why; state NOT CONNECTED;
                        // open transactions end with it (no reply_timeout)
        message,        // a data message from the peer: a primary, or a
                        // reply that answers no primary of ours
        reply,          // the reply to a primary we sent with the W-bit
        reply_timeout,  // T3 passed; header is the primary's, message the
                        // primary as sent
        rejected,       // the peer sent reject.req; header is its header
        refused,        // a second host was turned away; text: its address
    };
    Kind kind = Kind::closed;
    Message message;
    // For message/reply: what was wrong with the body (kind none when it
    // decoded or there was none).
    DecodeError body_error;
    // The 10-byte header as received (message, reply, rejected), or as sent
    // (reply_timeout): the MHEAD of an S9 message.
    Header header;
    std::string text;
};

class Connection;

// What both endpoints do alike.
class Endpoint {
  public:
    Endpoint(const Endpoint&) = delete;
    Endpoint& operator=(const Endpoint&) = delete;

    // Waits up to timeout_ms (0: only what is there now) for something to
    // happen, handles all of it and returns the events in order. Returns as
    // soon as there is at least one event.
    std::vector<Event> step(int timeout_ms);

    State state() const;
    // Sends a primary while SELECTED: fills in message.system_bytes with a
    // fresh number (also returned) and, with the W-bit, starts T3. Nothing
    // when not selected or when the send failed (the connection is then
    // closed and step() reports it).
    std::optional<std::uint32_t> send_primary(Message message);
    // Sends a reply as given (make_reply() echoes the primary's system
    // bytes). False when not selected or the send failed.
    bool send_reply(const Message& reply);
    // The same with a body encoded beforehand (an item's bytes as encode()
    // makes them) in place of reply.body.
    bool send_reply(const Message& reply, std::string_view encoded_body);
    // Sends separate.req and closes the connection (a closed event follows
    // from step()); a passive endpoint keeps listening.
    void separate();

  protected:
    Endpoint(EndpointOptions options, bool passive);
    ~Endpoint();
    std::unique_ptr<Connection> connection_;
};

// The equipment side: listens, takes one host at a time.
class PassiveEndpoint : public Endpoint {
  public:
    explicit PassiveEndpoint(EndpointOptions options = {}) : Endpoint(std::move(options), true) {}

    // Starts listening on `address` (dotted IPv4, e.g. "127.0.0.1" or
    // "0.0.0.0") and `port` (0: any free port, see port()). False with
    // `error` saying why ("cannot listen on 127.0.0.1:5000: Address already
    // in use").
    bool listen(const std::string& address, int port, std::string& error);
    // The port listened on.
    int port() const;
    // Sends linktest.req; the answer is awaited by step() under T6.
    bool linktest();
};

// The host side: connects, selects, and waits for answers where a test or
// a tool wants to.
class ActiveEndpoint : public Endpoint {
  public:
    explicit ActiveEndpoint(EndpointOptions options = {}) : Endpoint(std::move(options), false) {}

    // Connects (waiting out T5 after an earlier connection ended, then at
    // most T6 for the connect). False with `error` saying why.
    bool connect(const std::string& host, int port, std::string& error);
    // The blocking requests wait up to T6 for their response; events that
    // arrive meanwhile are kept for the next step(). select() is true on
    // status 0; select_status() then holds the status the peer answered
    // (or -1 when none came).
    bool select();
    int select_status() const { return select_status_; }
    bool deselect();
    bool linktest();
    // Closes without a word (what a crashed host does).
    void drop();

    // Sends a primary with the W-bit set and waits for its reply up to T3
    // (nothing on time-out, closed connection or when not selected).
    // Primaries from the peer that come meanwhile are kept for step(); a
    // peer that sends more than 10000 of them while we wait is cut off.
    std::optional<Message> request(Message primary);
    // Sends raw bytes as they are (tests of a peer's robustness).
    bool send_raw(const std::string& bytes);

  private:
    int select_status_ = -1;
};

}  // namespace zor::secs
