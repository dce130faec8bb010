#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "platform/socket.h"
#include "platform/win32.h"

namespace zor::platform {

// Windows releases Winsock with the process.
bool win32::winsock_ready() {
    static const bool ready = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

namespace {

using win32::winsock_ready;

SOCKET socket_of(std::intptr_t handle) { return static_cast<SOCKET>(handle); }

// The texts glibc's strerror gives, so messages read the same on both systems.
std::string cause(int error) {
    switch (error) {
        case WSAECONNREFUSED: return "Connection refused";
        case WSAETIMEDOUT: return "Connection timed out";
        case WSAECONNRESET: return "Connection reset by peer";
        case WSAEADDRINUSE: return "Address already in use";
        case WSAEADDRNOTAVAIL: return "Cannot assign requested address";
        case WSAEACCES: return "Permission denied";
        case WSAENETUNREACH: return "Network is unreachable";
        case WSAEHOSTUNREACH: return "No route to host";
        case WSAEMFILE: return "Too many open files";
        case WSAENOBUFS: return "No buffer space available";
        case WSANOTINITIALISED: return "Winsock is not available";
        default: return "Winsock error " + std::to_string(error);
    }
}

std::string where(const std::string& host, int port) { return host + ":" + std::to_string(port); }

// A child process started by the program must not keep the socket open.
SOCKET new_socket() {
    SOCKET s =
        WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (s == INVALID_SOCKET && WSAGetLastError() == WSAEINVAL) {
        // Systems before Windows 7 SP1 refuse the flag.
        s = WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, 0);
        if (s != INVALID_SOCKET)
            SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    }
    return s;
}

bool set_nonblocking(SOCKET s) {
    u_long on = 1;
    return ::ioctlsocket(s, FIONBIO, &on) == 0;
}

void set_nodelay(SOCKET s) {
    BOOL on = TRUE;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

// WSAPoll on one socket; Winsock has no signals to interrupt it.
int wait_for(SOCKET s, short events, short& revents, int timeout_ms) {
    WSAPOLLFD p{s, events, 0};
    int n = ::WSAPoll(&p, 1, timeout_ms);
    revents = p.revents;
    return n;
}

std::string describe(const sockaddr_in& addr) {
    char text[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &addr.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(addr.sin_port));
}

}  // namespace

void Socket::close() {
    if (handle_ != kNone) ::closesocket(socket_of(handle_));
    handle_ = kNone;
}

Socket Socket::listen(const std::string& address, int port, std::string& error) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<u_short>(port));
    if (port < 0 || port > 65535 || ::inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1) {
        error = "cannot listen on " + where(address, port) + ": no IPv4 address and port";
        return Socket();
    }
    SOCKET s = winsock_ready() ? new_socket() : INVALID_SOCKET;
    if (s == INVALID_SOCKET) {
        error = "cannot listen on " + where(address, port) + ": " + cause(WSAGetLastError());
        return Socket();
    }
    Socket socket(static_cast<std::intptr_t>(s));
    // Windows' SO_REUSEADDR would let a second program take the port over;
    // exclusive use keeps it ours while a socket holds it.
    BOOL on = TRUE;
    ::setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&on), sizeof on);
    if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(s, 8) != 0 ||
        !set_nonblocking(s)) {
        error = "cannot listen on " + where(address, port) + ": " + cause(WSAGetLastError());
        return Socket();
    }
    return socket;
}

Socket Socket::accept(std::string* peer) {
    if (!is_open()) return Socket();
    sockaddr_in addr{};
    int size = sizeof addr;
    SOCKET s = ::accept(socket_of(handle_), reinterpret_cast<sockaddr*>(&addr), &size);
    if (s == INVALID_SOCKET) return Socket();
    Socket socket(static_cast<std::intptr_t>(s));
    // The accepted socket takes the listener's mode; said again so nothing
    // depends on that, and kept from children like every other one.
    SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    if (!set_nonblocking(s)) return Socket();
    set_nodelay(s);
    if (peer) *peer = describe(addr);
    return socket;
}

Socket Socket::connect(const std::string& host, int port, int timeout_ms, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (port <= 0 || port > 65535 || !winsock_ready() ||
        ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) {
        error = "cannot connect to " + where(host, port) + ": unknown host or port";
        return Socket();
    }
    sockaddr_in addr{};
    std::memcpy(&addr, found->ai_addr, sizeof addr);
    ::freeaddrinfo(found);

    SOCKET s = new_socket();
    if (s == INVALID_SOCKET || !set_nonblocking(s)) {
        error = "cannot connect to " + where(host, port) + ": " + cause(WSAGetLastError());
        if (s != INVALID_SOCKET) ::closesocket(s);
        return Socket();
    }
    Socket socket(static_cast<std::intptr_t>(s));
    int failure = 0;
    if (::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        failure = WSAGetLastError();
        if (failure == WSAEWOULDBLOCK) {
            // select, not WSAPoll: older WSAPoll never reports a refused
            // connection and would wait out the whole time.
            fd_set writable, failed;
            FD_ZERO(&writable);
            FD_ZERO(&failed);
            FD_SET(s, &writable);
            FD_SET(s, &failed);
            timeval timeout{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
            int ready =
                ::select(0, nullptr, &writable, &failed, timeout_ms < 0 ? nullptr : &timeout);
            if (ready == 0) {
                failure = WSAETIMEDOUT;
            } else if (ready < 0) {
                failure = WSAGetLastError();
            } else {
                int size = sizeof failure;
                failure = 0;
                if (::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&failure),
                                 &size) != 0)
                    failure = WSAGetLastError();
                else if (failure == 0 && FD_ISSET(s, &failed))
                    failure = WSAECONNREFUSED;
            }
        }
    }
    if (failure != 0) {
        error = "cannot connect to " + where(host, port) + ": " + cause(failure);
        return Socket();
    }
    set_nodelay(s);
    return socket;
}

int Socket::local_port() const {
    sockaddr_in addr{};
    int size = sizeof addr;
    if (!is_open() ||
        ::getsockname(socket_of(handle_), reinterpret_cast<sockaddr*>(&addr), &size) != 0)
        return -1;
    return ntohs(addr.sin_port);
}

bool Socket::send_all(std::string_view bytes, int timeout_ms) {
    if (!is_open()) return false;
    SOCKET s = socket_of(handle_);
    while (!bytes.empty()) {
        int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
        int n = ::send(s, bytes.data(), chunk, 0);
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && WSAGetLastError() == WSAEWOULDBLOCK) {
            short revents = 0;
            if (wait_for(s, POLLWRNORM, revents, timeout_ms) == 1 &&
                !(revents & (POLLERR | POLLHUP | POLLNVAL)))
                continue;
        }
        return false;
    }
    return true;
}

Socket::Received Socket::receive(char* buffer, std::size_t size, std::size_t& got, int timeout_ms) {
    got = 0;
    if (!is_open()) return Received::closed;
    SOCKET s = socket_of(handle_);
    // The socket does not block: without a wait, recv says at once.
    if (timeout_ms != 0) {
        short revents = 0;
        int ready = wait_for(s, POLLRDNORM, revents, timeout_ms);
        if (ready < 0) return Received::closed;
        if (ready == 0) return Received::timeout;
    }
    int n = ::recv(s, buffer, static_cast<int>(std::min<std::size_t>(size, INT_MAX)), 0);
    if (n < 0 && WSAGetLastError() == WSAEWOULDBLOCK) return Received::timeout;
    if (n <= 0) return Received::closed;
    got = static_cast<std::size_t>(n);
    return Received::data;
}

int poll_readable(std::span<Socket* const> sockets, std::span<bool> ready, int timeout_ms) {
    std::vector<WSAPOLLFD> fds;
    std::vector<std::size_t> index;
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        if (i < ready.size()) ready[i] = false;
        if (sockets[i] && sockets[i]->is_open() && i < ready.size()) {
            fds.push_back({socket_of(sockets[i]->handle_), POLLRDNORM, 0});
            index.push_back(i);
        }
    }
    if (fds.empty()) {
        // WSAPoll refuses an empty set where poll() would just wait.
        ::Sleep(timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms));
        return 0;
    }
    int n = ::WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), timeout_ms);
    if (n <= 0) return n;
    int count = 0;
    for (std::size_t k = 0; k < fds.size(); ++k) {
        if (fds[k].revents & (POLLRDNORM | POLLHUP | POLLERR | POLLNVAL)) {
            ready[index[k]] = true;
            ++count;
        }
    }
    return count;
}

}  // namespace zor::platform
