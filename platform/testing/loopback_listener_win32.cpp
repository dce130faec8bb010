#include <winsock2.h>

#include "platform/testing/loopback_listener.h"

namespace zor::platform::testing {
namespace {

SOCKET sock(std::intptr_t s) { return static_cast<SOCKET>(s); }

bool receive_all(SOCKET s, char* data, int size) {
    while (size > 0) {
        int n = recv(s, data, size, 0);
        if (n <= 0) return false;
        data += n;
        size -= n;
    }
    return true;
}

}  // namespace

LoopbackListener::LoopbackListener() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(s, 1);
    int len = sizeof addr;
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    listener_ = static_cast<std::intptr_t>(s);
    port_ = ntohs(addr.sin_port);
}

LoopbackListener::~LoopbackListener() {
    close_peer();
    if (listener_ != -1) closesocket(sock(listener_));
    WSACleanup();
}

bool LoopbackListener::accept() {
    SOCKET s = ::accept(sock(listener_), nullptr, nullptr);
    peer_ = s == INVALID_SOCKET ? -1 : static_cast<std::intptr_t>(s);
    return peer_ != -1;
}

std::string LoopbackListener::read_frame() {
    unsigned char head[4];
    if (!receive_all(sock(peer_), reinterpret_cast<char*>(head), 4)) return "<closed>";
    uint32_t n = (uint32_t{head[0]} << 24) | (head[1] << 16) | (head[2] << 8) | head[3];
    std::string body(n, '\0');
    if (n && !receive_all(sock(peer_), body.data(), static_cast<int>(n))) return "<short>";
    return body;
}

void LoopbackListener::acknowledge() {
    char ack = 1;
    send(sock(peer_), &ack, 1, 0);
}

void LoopbackListener::close_peer() {
    if (peer_ != -1) closesocket(sock(peer_));
    peer_ = -1;
}

}  // namespace zor::platform::testing
