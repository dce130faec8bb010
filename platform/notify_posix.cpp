#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/platform.h"

namespace zor::platform {
namespace {

bool write_all(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
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
    if (port <= 0 || port > 65535) return false;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return false;
    }
    socket_ = static_cast<std::uintptr_t>(fd);
    ack_timeout_ms_ = ack_timeout_ms;
    return true;
}

bool NotifyChannel::send(std::string_view message) {
    if (!is_open()) return false;
    const int fd = static_cast<int>(socket_);
    uint32_t length = htonl(static_cast<uint32_t>(message.size()));
    bool ok = write_all(fd, reinterpret_cast<const char*>(&length), sizeof length) &&
              write_all(fd, message.data(), message.size());
    if (ok) {
        pollfd p{fd, POLLIN, 0};
        int ready;
        do {
            ready = ::poll(&p, 1, ack_timeout_ms_);
        } while (ready < 0 && errno == EINTR);
        char ack = 0;
        ok = ready == 1 && ::recv(fd, &ack, 1, 0) == 1;
    }
    if (!ok) close();
    return ok;
}

void NotifyChannel::close() {
    if (is_open()) ::close(static_cast<int>(socket_));
    socket_ = kNone;
}

}  // namespace zor::platform
