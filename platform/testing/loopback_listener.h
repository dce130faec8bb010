#pragma once
// The editor's end of the progress channel, for tests: a listener on a free
// loopback port that accepts one peer, reads its frames and acknowledges.

#include <cstdint>
#include <string>

namespace zor::platform::testing {

class LoopbackListener {
  public:
    LoopbackListener();
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int port() const { return port_; }
    bool accept();
    // One frame's body; "<closed>" or "<short>" when the peer went away.
    std::string read_frame();
    void acknowledge();
    void close_peer();

  private:
    std::intptr_t listener_ = -1;
    std::intptr_t peer_ = -1;
    int port_ = 0;
};

}  // namespace zor::platform::testing
