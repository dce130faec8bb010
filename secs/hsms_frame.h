#pragma once
// HSMS frames: a 4-byte big-endian length, then the 10-byte header and the
// body (the encoded item, or nothing). Header bytes:
//   0-1 session ID (device ID for data; 0xFFFF for control messages in
//       HSMS-SS), 2 W-bit | stream (data) or a control byte,
//   3 function (data) or a status/reason, 4 PType (0 = SECS-II),
//   5 SType (0 = data message), 6-9 system bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "secs/item_codec.h"
#include "secs/message.h"

namespace zor::secs {

enum class SType : std::uint8_t {
    data = 0,
    select_req = 1,
    select_rsp = 2,
    deselect_req = 3,
    deselect_rsp = 4,
    linktest_req = 5,
    linktest_rsp = 6,
    reject_req = 7,
    separate_req = 9,
};

// select.rsp status (header byte 3).
inline constexpr std::uint8_t kSelectOk = 0;
inline constexpr std::uint8_t kSelectAlreadyActive = 1;
inline constexpr std::uint8_t kSelectNotReady = 2;
inline constexpr std::uint8_t kSelectExhausted = 3;
// deselect.rsp status.
inline constexpr std::uint8_t kDeselectOk = 0;
inline constexpr std::uint8_t kDeselectNotEstablished = 1;
inline constexpr std::uint8_t kDeselectBusy = 2;
// reject.req reason (byte 3); byte 2 holds the rejected SType (or PType
// for reason 2).
inline constexpr std::uint8_t kRejectSTypeNotSupported = 1;
inline constexpr std::uint8_t kRejectPTypeNotSupported = 2;
inline constexpr std::uint8_t kRejectTransactionNotOpen = 3;
inline constexpr std::uint8_t kRejectNotSelected = 4;

inline constexpr std::uint16_t kControlSession = 0xFFFF;
inline constexpr std::size_t kHeaderSize = 10;

struct Header {
    std::uint16_t session_id = 0;
    std::uint8_t byte2 = 0;
    std::uint8_t byte3 = 0;
    std::uint8_t ptype = 0;
    std::uint8_t stype = 0;  // an SType value, or whatever a peer sent
    std::uint32_t system_bytes = 0;

    // The 10 header bytes as on the wire (what S9Fx carries as MHEAD).
    std::array<std::uint8_t, kHeaderSize> bytes() const;
    std::string bytes_string() const;
    static Header from_bytes(const std::uint8_t* ten_bytes);

    friend bool operator==(const Header&, const Header&) = default;
};

struct Frame {
    Header header;
    std::string body;  // the encoded item (data messages), else empty
};

// The whole frame: length, header, body.
std::string encode_frame(const Header& header, std::string_view body = {});
// The same, appended to `out` (a sender can reuse one buffer for every frame).
void encode_frame_to(const Header& header, std::string_view body, std::string& out);
// The header of a control message (session 0xFFFF, PType 0).
Header control_header(SType type, std::uint32_t system_bytes, std::uint8_t byte2 = 0,
                      std::uint8_t byte3 = 0);
// The answer to a control request or the reject of a message: `type` with
// the other side's session ID and system bytes, and byte 3 (a status or a
// reason).
Header answer_header(const Header& to, SType type, std::uint8_t byte2 = 0, std::uint8_t byte3 = 0);
// A data message as a frame: device ID and W-bit|stream, function, system
// bytes, the encoded body. std::length_error as encode().
std::string encode_message(const Message& message);
// The header a data message goes out with.
Header message_header(const Message& message);

// A data frame read back as a message. The header fields are always filled
// in; the body is decoded under `limits` when there is one, and a body that
// fails leaves message.body empty with `error` saying why.
struct ReadMessage {
    Message message;
    DecodeError error;
    bool ok() const { return error.kind == DecodeError::Kind::none; }
};
ReadMessage read_message(const Frame& frame, const DecodeLimits& limits = {});

// Cuts a byte stream into frames. Feed it what the socket gave, then take
// frames with next() until it says need_more. Holds at most one partial
// frame plus what was fed and not yet taken; a length below 10 or above
// max_length is an error, after which the reader takes nothing more (the
// connection is to be closed).
class FrameReader {
  public:
    explicit FrameReader(std::uint32_t max_length) : max_length_(max_length) {}

    void feed(std::string_view bytes);
    enum class Status { need_more, frame, error };
    Status next(Frame& frame);
    // True while bytes of an unfinished frame are held: the time between
    // them is what T8 bounds.
    bool in_frame() const { return !failed_ && start_ < buffer_.size(); }
    bool failed() const { return failed_; }
    // Why the stream was refused ("frame length 4 is below 10", …).
    const std::string& error() const { return error_; }
    void reset();

  private:
    std::uint32_t max_length_;
    std::string buffer_;
    std::size_t start_ = 0;  // first byte not yet taken
    bool failed_ = false;
    std::string error_;
};

}  // namespace zor::secs
