#include "platform/testing/loopback_listener.h"

#include <cstdint>

namespace zor::platform::testing {
namespace {
constexpr int kWaitMs = 10000;
}  // namespace

LoopbackListener::LoopbackListener() {
    std::string error;
    listener_ = Socket::listen("127.0.0.1", 0, error);
}

bool LoopbackListener::accept() {
    Socket* listener = &listener_;
    bool ready = false;
    if (poll_readable({&listener, 1}, {&ready, 1}, kWaitMs) != 1) return false;
    peer_ = listener_.accept();
    return peer_.is_open();
}

bool LoopbackListener::read_exactly(char* data, std::size_t size) {
    while (size > 0) {
        std::size_t got = 0;
        if (peer_.receive(data, size, got, kWaitMs) != Socket::Received::data) return false;
        data += got;
        size -= got;
    }
    return true;
}

std::string LoopbackListener::read_frame() {
    unsigned char head[4];
    if (!read_exactly(reinterpret_cast<char*>(head), 4)) return "<closed>";
    uint32_t n = (uint32_t{head[0]} << 24) | (head[1] << 16) | (head[2] << 8) | head[3];
    std::string body(n, '\0');
    if (n && !read_exactly(body.data(), n)) return "<short>";
    return body;
}

void LoopbackListener::acknowledge() { peer_.send_all(std::string_view("\1", 1), kWaitMs); }

}  // namespace zor::platform::testing
