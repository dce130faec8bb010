#include "secs/hsms_frame.h"

namespace zor::secs {
namespace {

void put_u32(std::string& out, std::uint32_t value) {
    for (int i = 4; i-- > 0;) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t get_u32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

}  // namespace

std::array<std::uint8_t, kHeaderSize> Header::bytes() const {
    return {static_cast<std::uint8_t>(session_id >> 8),
            static_cast<std::uint8_t>(session_id & 0xFF),
            byte2,
            byte3,
            ptype,
            stype,
            static_cast<std::uint8_t>(system_bytes >> 24),
            static_cast<std::uint8_t>(system_bytes >> 16),
            static_cast<std::uint8_t>(system_bytes >> 8),
            static_cast<std::uint8_t>(system_bytes)};
}

std::string Header::bytes_string() const {
    auto b = bytes();
    return std::string(b.begin(), b.end());
}

Header Header::from_bytes(const std::uint8_t* p) {
    Header h;
    h.session_id = static_cast<std::uint16_t>(p[0] << 8 | p[1]);
    h.byte2 = p[2];
    h.byte3 = p[3];
    h.ptype = p[4];
    h.stype = p[5];
    h.system_bytes = get_u32(p + 6);
    return h;
}

std::string encode_frame(const Header& header, std::string_view body) {
    std::string out;
    encode_frame_to(header, body, out);
    return out;
}

void encode_frame_to(const Header& header, std::string_view body, std::string& out) {
    out.reserve(out.size() + 4 + kHeaderSize + body.size());
    put_u32(out, static_cast<std::uint32_t>(kHeaderSize + body.size()));
    out += header.bytes_string();
    out += body;
}

Header control_header(SType type, std::uint32_t system_bytes, std::uint8_t byte2,
                      std::uint8_t byte3) {
    Header h;
    h.session_id = kControlSession;
    h.byte2 = byte2;
    h.byte3 = byte3;
    h.stype = static_cast<std::uint8_t>(type);
    h.system_bytes = system_bytes;
    return h;
}

Header answer_header(const Header& to, SType type, std::uint8_t byte2, std::uint8_t byte3) {
    Header h = control_header(type, to.system_bytes, byte2, byte3);
    h.session_id = to.session_id;
    return h;
}

Header message_header(const Message& message) {
    Header h;
    h.session_id = message.device_id & 0x7FFF;
    h.byte2 = static_cast<std::uint8_t>((message.wait ? 0x80 : 0) | (message.stream & 0x7F));
    h.byte3 = message.function;
    h.system_bytes = message.system_bytes;
    return h;
}

std::string encode_message(const Message& message) {
    return encode_frame(message_header(message),
                        message.body ? encode(*message.body) : std::string());
}

ReadMessage read_message(const Frame& frame, const DecodeLimits& limits) {
    ReadMessage read;
    const Header& h = frame.header;
    // The top bit of the session ID is the reverse bit of SECS-I; HSMS
    // leaves it 0, and the device ID is what remains.
    read.message.device_id = h.session_id & 0x7FFF;
    read.message.wait = (h.byte2 & 0x80) != 0;
    read.message.stream = h.byte2 & 0x7F;
    read.message.function = h.byte3;
    read.message.system_bytes = h.system_bytes;
    if (!frame.body.empty()) {
        Decoded decoded = decode(frame.body, limits);
        if (decoded.ok())
            read.message.body = std::move(decoded.item);
        else
            read.error = std::move(decoded.error);
    }
    return read;
}

void FrameReader::feed(std::string_view bytes) {
    if (failed_) return;
    // Taken bytes are dropped before new ones come, so the buffer never holds
    // more than one unfinished frame and the latest read.
    if (start_ > 0) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_ += bytes;
}

FrameReader::Status FrameReader::next(Frame& frame) {
    if (failed_) return Status::error;
    std::size_t held = buffer_.size() - start_;
    if (held < 4) return Status::need_more;
    auto* p = reinterpret_cast<const std::uint8_t*>(buffer_.data() + start_);
    std::uint32_t length = get_u32(p);
    if (length < kHeaderSize || length > max_length_) {
        failed_ = true;
        error_ = "frame length " + std::to_string(length) +
                 (length < kHeaderSize ? " is below 10"
                                       : " is above the limit of " + std::to_string(max_length_));
        return Status::error;
    }
    if (held - 4 < length) return Status::need_more;
    frame.header = Header::from_bytes(p + 4);
    frame.body.assign(buffer_, start_ + 4 + kHeaderSize, length - kHeaderSize);
    start_ += 4 + length;
    if (start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    return Status::frame;
}

void FrameReader::reset() {
    buffer_.clear();
    start_ = 0;
    failed_ = false;
    error_.clear();
}

}  // namespace zor::secs
