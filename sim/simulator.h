#pragma once
// The equipment on the wire: a passive HSMS endpoint, the GEM equipment
// behind it, the scenario and console commands, the log. One thread runs
// it all; standard input is read by a helper thread that only hands over
// lines.

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "secs/endpoint.h"
#include "sim/equipment.h"
#include "sim/log.h"
#include "sim/scenario.h"
#include "sim/settings.h"

namespace zor::sim {

class Simulator {
  public:
    Simulator(Settings settings, Model model, Log& log);
    ~Simulator();

    // Loads the spool, listens. False with the reason.
    bool start(std::string& error);
    int port() const { return endpoint_.port(); }

    // Runs `script`, then the console lines of standard input when
    // `console` is set (a bad console line is said on standard error and
    // passed over), and serves the host until quit or a stop request.
    // Returns the exit code, 0.
    int run(std::vector<Command> script, bool console);

    // Asks run() to end (from a signal handler: only sets a flag).
    static void request_stop();

    // Reads a whole script; false with "FILE:LINE: reason" at the first bad
    // line (names are checked against the definitions too).
    bool read_script(const std::string& path, std::vector<Command>& out, std::string& error) const;
    // Whether the command names what the definitions hold; false with why.
    bool check(const Command& c, std::string& error) const;

  private:
    enum class Step { next, blocked, quit };
    Step execute(const Command& c);
    bool blocked();
    void handle(const secs::Event& e);
    void handle_primary(const secs::Event& e);
    void send_s9(int function, const secs::Header& header);
    void send_reply(const Equipment::Answer& answer);
    void flush();
    int step_timeout() const;
    void start_console();
    std::optional<std::string> console_line();

    Settings settings_;
    Log& log_;
    Equipment equipment_;
    secs::PassiveEndpoint endpoint_;
    std::map<uint32_t, secs::Message> open_;  // our W-bit primaries by system bytes
    std::set<uint32_t> pending_s6f11_;
    // What the running command waits for.
    std::optional<Command> waiting_;
    Equipment::Clock::time_point wait_until_{};
    bool expected_seen_ = false;

    struct Console {
        std::mutex mutex;
        std::deque<std::string> lines;
        bool ended = false;
    };
    std::shared_ptr<Console> console_;
    int console_line_number_ = 0;
};

}  // namespace zor::sim
