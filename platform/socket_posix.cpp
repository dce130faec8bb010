#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "platform/socket.h"

namespace zor::platform {
namespace {

int fd_of(std::intptr_t handle) { return static_cast<int>(handle); }

// poll() that goes on after a signal with the time that is left.
int poll_for(pollfd* fds, nfds_t count, int timeout_ms) {
    using clock = std::chrono::steady_clock;
    auto end = clock::now() + std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms);
    for (;;) {
        int n = ::poll(fds, count, timeout_ms);
        if (n >= 0 || errno != EINTR) return n;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - clock::now());
        timeout_ms = left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }
}

bool set_nonblocking(int fd) {
    int flags = ::fcntl(fd, F_GETFL, 0);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

std::string describe(const sockaddr_in& addr) {
    char text[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &addr.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(addr.sin_port));
}

std::string where(const std::string& host, int port) { return host + ":" + std::to_string(port); }

}  // namespace

void Socket::close() {
    if (handle_ != kNone) ::close(fd_of(handle_));
    handle_ = kNone;
}

Socket Socket::listen(const std::string& address, int port, std::string& error) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (port < 0 || port > 65535 || ::inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1) {
        error = "cannot listen on " + where(address, port) + ": no IPv4 address and port";
        return Socket();
    }
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = "cannot listen on " + where(address, port) + ": " + std::strerror(errno);
        return Socket();
    }
    Socket socket(fd);
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0 ||
        !set_nonblocking(fd)) {
        error = "cannot listen on " + where(address, port) + ": " + std::strerror(errno);
        return Socket();
    }
    return socket;
}

Socket Socket::accept(std::string* peer) {
    if (!is_open()) return Socket();
    sockaddr_in addr{};
    socklen_t size = sizeof addr;
    int fd;
    do {
        fd = ::accept4(fd_of(handle_), reinterpret_cast<sockaddr*>(&addr), &size,
                       SOCK_CLOEXEC | SOCK_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Socket();
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (peer) *peer = describe(addr);
    return Socket(fd);
}

Socket Socket::connect(const std::string& host, int port, int timeout_ms, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (port <= 0 || port > 65535 ||
        ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) {
        error = "cannot connect to " + where(host, port) + ": unknown host or port";
        return Socket();
    }
    sockaddr_in addr{};
    std::memcpy(&addr, found->ai_addr, sizeof addr);
    ::freeaddrinfo(found);

    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error = "cannot connect to " + where(host, port) + ": " + std::strerror(errno);
        return Socket();
    }
    Socket socket(fd);
    int result = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    if (result != 0 && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        int ready = poll_for(&p, 1, timeout_ms);
        int failure = 0;
        socklen_t size = sizeof failure;
        if (ready == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &failure, &size) == 0) {
            result = failure == 0 ? 0 : -1;
            errno = failure;
        } else if (ready == 0) {
            errno = ETIMEDOUT;
        }
    }
    if (result != 0) {
        error = "cannot connect to " + where(host, port) + ": " + std::strerror(errno);
        return Socket();
    }
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return socket;
}

int Socket::local_port() const {
    sockaddr_in addr{};
    socklen_t size = sizeof addr;
    if (!is_open() || ::getsockname(fd_of(handle_), reinterpret_cast<sockaddr*>(&addr), &size))
        return -1;
    return ntohs(addr.sin_port);
}

bool Socket::send_all(std::string_view bytes, int timeout_ms) {
    if (!is_open()) return false;
    int fd = fd_of(handle_);
    while (!bytes.empty()) {
        ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            if (poll_for(&p, 1, timeout_ms) == 1 && !(p.revents & (POLLERR | POLLNVAL))) continue;
        }
        return false;
    }
    return true;
}

Socket::Received Socket::receive(char* buffer, std::size_t size, std::size_t& got, int timeout_ms) {
    got = 0;
    if (!is_open()) return Received::closed;
    int fd = fd_of(handle_);
    // The socket does not block: without a wait, recv says at once.
    if (timeout_ms != 0) {
        pollfd p{fd, POLLIN, 0};
        int ready = poll_for(&p, 1, timeout_ms);
        if (ready < 0) return Received::closed;
        if (ready == 0) return Received::timeout;
    }
    ssize_t n;
    do {
        n = ::recv(fd, buffer, size, 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return Received::timeout;
    if (n <= 0) return Received::closed;
    got = static_cast<std::size_t>(n);
    return Received::data;
}

int poll_readable(std::span<Socket* const> sockets, std::span<bool> ready, int timeout_ms) {
    std::vector<pollfd> fds;
    std::vector<std::size_t> index;
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        if (i < ready.size()) ready[i] = false;
        if (sockets[i] && sockets[i]->is_open() && i < ready.size()) {
            fds.push_back({fd_of(sockets[i]->handle_), POLLIN, 0});
            index.push_back(i);
        }
    }
    int n = poll_for(fds.data(), fds.size(), timeout_ms);
    if (n <= 0) return n;
    int count = 0;
    for (std::size_t k = 0; k < fds.size(); ++k) {
        if (fds[k].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) {
            ready[index[k]] = true;
            ++count;
        }
    }
    return count;
}

}  // namespace zor::platform
