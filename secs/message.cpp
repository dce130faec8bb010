#include "secs/message.h"

namespace zor::secs {

Message make_reply(const Message& primary, std::optional<Item> body) {
    Message reply = primary;
    reply.function = static_cast<std::uint8_t>(primary.function + 1);
    reply.wait = false;
    reply.body = std::move(body);
    return reply;
}

Message make_abort(const Message& primary) {
    Message reply = make_reply(primary, std::nullopt);
    reply.function = 0;
    return reply;
}

}  // namespace zor::secs
