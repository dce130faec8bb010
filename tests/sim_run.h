#pragma once
// Runs the built ZorGemSim as a child process for end-to-end tests: its
// standard input a pipe the test writes console lines to, its output in
// files of the run's directory.

#include <filesystem>
#include <string>
#include <vector>

namespace zor::testing {

class SimProcess {
  public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts ZorGemSim with `args` in `dir` (output to dir/sim.out and
    // dir/sim.err) and waits until it listens (on any address); false when
    // it ended first or did not listen within 10 s.
    bool start(const std::filesystem::path& dir, const std::vector<std::string>& args);
    int port() const { return port_; }
    // Writes one console line and waits (at most 5 s) until the simulator
    // has carried it out.
    void command(const std::string& line);
    // Waits up to `timeout_ms` for the process to end: its exit status, or
    // -1 when it still runs.
    int wait(int timeout_ms);
    // Ends it (SIGTERM, then SIGKILL) and returns its exit status.
    int stop();
    std::string output() const;
    std::string errors() const;

    static std::string program_path();

  private:
    std::filesystem::path dir_;
    int pid_ = -1;
    int stdin_fd_ = -1;
    int port_ = 0;
    int status_ = -1;
};

}  // namespace zor::testing
