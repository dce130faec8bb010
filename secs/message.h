#pragma once
// A SECS-II message: the header fields of a data message and its body.

#include <cstdint>
#include <optional>

#include "secs/item.h"

namespace zor::secs {

struct Message {
    std::uint16_t device_id = 0;  // 15 bits on the wire
    std::uint8_t stream = 0;      // 0..127
    std::uint8_t function = 0;
    bool wait = false;  // W-bit: the sender wants a reply
    std::uint32_t system_bytes = 0;
    // No body: the message is its header only (not the same as an empty list).
    std::optional<Item> body;

    friend bool operator==(const Message&, const Message&) = default;
};

// The secondary for `primary`: same device, stream and system bytes,
// function + 1, no W-bit.
Message make_reply(const Message& primary, std::optional<Item> body);
// The abort reply SxF0 for `primary` (no body).
Message make_abort(const Message& primary);

}  // namespace zor::secs
