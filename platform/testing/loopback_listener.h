#pragma once
// The editor's end of the progress channel, for tests: a listener on a free
// loopback port that accepts one peer, reads its frames and acknowledges.
// Built on the platform's own Socket, so one file serves both systems.

#include <string>

#include "platform/socket.h"

namespace zor::platform::testing {

class LoopbackListener {
  public:
    LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int port() const { return listener_.local_port(); }
    // Waits up to ten seconds for the peer.
    bool accept();
    // One frame's body; "<closed>" or "<short>" when the peer went away.
    std::string read_frame();
    void acknowledge();
    void close_peer() { peer_.close(); }

  private:
    bool read_exactly(char* data, std::size_t size);

    Socket listener_;
    Socket peer_;
};

}  // namespace zor::platform::testing
