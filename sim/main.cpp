// ZorGemSim: the equipment, simulated from its definitions, for a host to
// talk to over HSMS.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "sim/definitions.h"
#include "sim/simulator.h"

namespace {
void stop(int) { zor::sim::Simulator::request_stop(); }
}  // namespace

int main(int argc, char** argv) {
    using namespace zor::sim;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("ZorGemSim %s\n", ZOR_VERSION);
        return 0;
    }
    Settings settings;
    std::string error;
    if (!read_settings(args, settings, error)) {
        if (error.empty()) {
            std::fputs(usage().c_str(), stdout);
            return 0;
        }
        std::fprintf(stderr, "ZorGemSim: %s\n%s", error.c_str(), usage().c_str());
        return 2;
    }
    zor::platform::keep_freed_memory();
    Model model;
    if (!load_definitions(settings.fil, model, error)) {
        std::fprintf(stderr, "ZorGemSim: %s\n", error.c_str());
        return 1;
    }
    zor::platform::ignore_broken_pipe();
    // The log is flushed when the loop waits, not line by line; the buffer
    // holds a poll of thousands of values, so a burst is one write.
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 20);
    Log log;
    if (!settings.log_path.empty() && !log.open(settings.log_path, settings.log_size, error))
        std::fprintf(stderr, "ZorGemSim: %s; logging to standard output only\n", error.c_str());
    Simulator sim(settings, std::move(model), log);
    std::vector<Command> script;
    if (!settings.script.empty() && !sim.read_script(settings.script, script, error)) {
        std::fprintf(stderr, "ZorGemSim: %s\n", error.c_str());
        return 1;
    }
    if (!sim.start(error)) {
        std::fprintf(stderr, "ZorGemSim: %s\n", error.c_str());
        return 1;
    }
    std::signal(SIGINT, stop);
    std::signal(SIGTERM, stop);
    return sim.run(std::move(script), true);
}
