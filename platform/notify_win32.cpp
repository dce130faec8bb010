#include <winsock2.h>

#include <cstdint>

#include "platform/platform.h"
#include "platform/win32.h"

namespace zor::platform {
namespace {

using win32::winsock_ready;

SOCKET socket_of(std::uintptr_t s) { return static_cast<SOCKET>(s); }

bool write_all(SOCKET s, const char* data, size_t size) {
    while (size > 0) {
        int n = ::send(s, data, static_cast<int>(size), 0);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

NotifyChannel::~NotifyChannel() { close(); }

bool NotifyChannel::open(int port, int ack_timeout_ms) {
    close();
    if (port <= 0 || port > 65535 || !winsock_ready()) return false;
    SOCKET s =
        WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (s == INVALID_SOCKET) return false;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<u_short>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        closesocket(s);
        return false;
    }
    socket_ = static_cast<std::uintptr_t>(s);
    ack_timeout_ms_ = ack_timeout_ms;
    return true;
}

bool NotifyChannel::send(std::string_view message) {
    if (!is_open()) return false;
    const SOCKET s = socket_of(socket_);
    u_long length = htonl(static_cast<u_long>(message.size()));
    bool ok = write_all(s, reinterpret_cast<const char*>(&length), 4) &&
              write_all(s, message.data(), message.size());
    if (ok) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval timeout{ack_timeout_ms_ / 1000, (ack_timeout_ms_ % 1000) * 1000};
        char ack = 0;
        ok = ::select(0, &readable, nullptr, nullptr, &timeout) == 1 && ::recv(s, &ack, 1, 0) == 1;
    }
    if (!ok) close();
    return ok;
}

void NotifyChannel::close() {
    if (is_open()) closesocket(socket_of(socket_));
    socket_ = kNone;
}

}  // namespace zor::platform
