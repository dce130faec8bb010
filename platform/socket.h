#pragma once
// TCP sockets behind a small OS-neutral interface: nothing of the operating
// system shows here, so the same callers build on POSIX and on Win32.
// Every call that could wait takes a timeout in milliseconds; none blocks
// longer. Writing to a socket the peer closed fails; it never raises a
// signal.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zor::platform {

class Socket {
  public:
    Socket() = default;
    ~Socket() { close(); }
    Socket(Socket&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
    Socket& operator=(Socket&& other) noexcept {
        if (this != &other) {
            close();
            handle_ = other.handle_;
            other.handle_ = kNone;
        }
        return *this;
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool is_open() const { return handle_ != kNone; }
    void close();

    // A listening socket on a dotted IPv4 address ("0.0.0.0" for all) and
    // port (0: a free one, see local_port()); closed with `error` on failure.
    static Socket listen(const std::string& address, int port, std::string& error);
    // Takes one waiting connection without blocking; closed when none waits.
    // `peer` gets "address:port".
    Socket accept(std::string* peer = nullptr);
    // Connects to a host name or dotted address within timeout_ms (the
    // name lookup itself is the system's and not bounded by it).
    static Socket connect(const std::string& host, int port, int timeout_ms, std::string& error);
    int local_port() const;

    // Sends every byte, waiting at most timeout_ms for room each time the
    // peer is slow; false on error, peer gone or time-out.
    bool send_all(std::string_view bytes, int timeout_ms);

    enum class Received { data, timeout, closed };
    // Waits up to timeout_ms for bytes and takes what is there (at most
    // `size`); `got` is their count. closed: the peer ended the connection
    // or the socket failed.
    Received receive(char* buffer, std::size_t size, std::size_t& got, int timeout_ms);

  private:
    static constexpr std::intptr_t kNone = -1;
    explicit Socket(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_ = kNone;

    friend int poll_readable(std::span<Socket* const>, std::span<bool>, int);
};

// Waits up to timeout_ms until one of `sockets` can be read (data, a peer
// that closed, or a listening socket's waiting connection). ready[i] tells
// which; closed or null sockets are never ready. Returns how many are ready
// (0 on time-out), -1 on failure.
int poll_readable(std::span<Socket* const> sockets, std::span<bool> ready, int timeout_ms);

}  // namespace zor::platform
