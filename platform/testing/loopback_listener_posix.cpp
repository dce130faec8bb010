#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/testing/loopback_listener.h"

namespace zor::platform::testing {

LoopbackListener::LoopbackListener() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(fd, 1);
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    listener_ = fd;
    port_ = ntohs(addr.sin_port);
}

LoopbackListener::~LoopbackListener() {
    close_peer();
    if (listener_ >= 0) close(static_cast<int>(listener_));
}

bool LoopbackListener::accept() {
    peer_ = ::accept(static_cast<int>(listener_), nullptr, nullptr);
    return peer_ >= 0;
}

std::string LoopbackListener::read_frame() {
    const int fd = static_cast<int>(peer_);
    unsigned char head[4];
    if (recv(fd, head, 4, MSG_WAITALL) != 4) return "<closed>";
    uint32_t n = (uint32_t{head[0]} << 24) | (head[1] << 16) | (head[2] << 8) | head[3];
    std::string body(n, '\0');
    if (n && recv(fd, body.data(), n, MSG_WAITALL) != static_cast<ssize_t>(n)) return "<short>";
    return body;
}

void LoopbackListener::acknowledge() {
    char ack = 1;
    send(static_cast<int>(peer_), &ack, 1, 0);
}

void LoopbackListener::close_peer() {
    if (peer_ >= 0) close(static_cast<int>(peer_));
    peer_ = -1;
}

}  // namespace zor::platform::testing
