// A GEM host in a few lines of the secs library, for the first run
// (scripts/example.sh) and for the checks of a simulator running elsewhere
// (the Windows build under Wine): connects to 127.0.0.1:PORT, selects,
// answers the equipment's S1F13 if it sends one, then asks each primary
// given as SML and prints every exchange as SML, one line each. Exit status
// 0 when every primary was answered, 1 otherwise.
//
// Usage: secs_host_request PORT SML...
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "secs/endpoint.h"
#include "secs/sml.h"

namespace {

using namespace zor::secs;

// Generous: the peer may be a program in a slow emulator.
constexpr int kWaitMs = 30000;

EndpointOptions options() {
    EndpointOptions o;
    o.timeouts = {kWaitMs, 100, kWaitMs, kWaitMs, kWaitMs};
    return o;
}

// The equipment opens communication right after select: answer it so it
// takes our requests as from an established host.
void answer_s1f13(ActiveEndpoint& host) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    while (std::chrono::steady_clock::now() < end) {
        for (const Event& e : host.step(50)) {
            if (e.kind != Event::Kind::message) continue;
            std::printf("equipment: %s\n", to_sml(e.message).c_str());
            if (e.message.stream == 1 && e.message.function == 13) {
                host.send_reply(
                    make_reply(e.message, parse_sml_item("<L[2] <B 0x00> <L[0]>>").item));
                return;
            }
        }
    }
    std::printf("equipment: no S1F13\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: secs_host_request PORT SML...\n", stderr);
        return 2;
    }
    ActiveEndpoint host(options());
    std::string error;
    if (!host.connect("127.0.0.1", std::atoi(argv[1]), error) || !host.select()) {
        std::fprintf(stderr, "secs_host_request: no HSMS session: %s\n",
                     error.empty() ? "select refused" : error.c_str());
        return 1;
    }
    answer_s1f13(host);
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        auto parsed = parse_sml_message(argv[i]);
        if (!parsed.error.empty()) {
            std::fprintf(stderr, "secs_host_request: %s: %s\n", argv[i], parsed.error.c_str());
            return 2;
        }
        parsed.message.wait = true;
        auto reply = host.request(parsed.message);
        std::printf("host: %s -> %s\n", argv[i], reply ? to_sml(*reply).c_str() : "no reply");
        if (!reply) status = 1;
    }
    return status;
}
