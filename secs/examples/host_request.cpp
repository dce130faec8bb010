// A GEM host in a few lines of the secs library: connects to an equipment,
// selects, establishes communication (S1F13, answering the equipment's own
// S1F13 too), sends one request written in SML and prints every message as
// SML, then separates.
//
//   secs_host_request ADDRESS PORT [--device N] ["S1F3 W <L[0]>"]
//
// The request defaults to "S1F1 W". Exit status 0 when the request was
// answered, 1 when not, 2 for bad arguments.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "secs/endpoint.h"
#include "secs/sml.h"

namespace {

using zor::secs::Item;
using zor::secs::Message;

void show(const char* direction, const Message& m) {
    std::printf("%s %s\n", direction, zor::secs::to_sml(m).c_str());
}

// Answers what the equipment asked while we waited: its S1F13 gets
// COMMACK 0; any other primary that wants a reply gets its abort.
void answer_waiting(zor::secs::ActiveEndpoint& host) {
    for (const auto& e : host.step(0)) {
        if (e.kind != zor::secs::Event::Kind::message) continue;
        show("<-", e.message);
        if (!e.message.wait) continue;
        Message reply =
            e.message.stream == 1 && e.message.function == 13
                ? zor::secs::make_reply(
                      e.message, Item::list({Item::binary(std::string(1, '\0')), Item::list({})}))
                : zor::secs::make_abort(e.message);
        if (host.send_reply(reply)) show("->", reply);
    }
}

// Sends `primary` and prints it and its reply; false when none came.
bool ask(zor::secs::ActiveEndpoint& host, Message primary) {
    primary.wait = true;
    show("->", primary);
    auto reply = host.request(primary);
    if (!reply) {
        std::fprintf(stderr, "no reply to S%uF%u\n", primary.stream, primary.function);
        return false;
    }
    show("<-", *reply);
    answer_waiting(host);
    return true;
}

int usage() {
    std::fprintf(stderr,
                 "usage: secs_host_request ADDRESS PORT [--device N] [\"SxFy W <item>\"]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    std::string address = argv[1];
    int port = std::atoi(argv[2]);
    unsigned device = 0;
    std::string request = "S1F1 W";
    for (int i = 3; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--device" && i + 1 < argc)
            device = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg.rfind("--", 0) == 0)
            return usage();
        else
            request = arg;
    }
    auto parsed = zor::secs::parse_sml_message(request);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "the request: %s\n", parsed.error.c_str());
        return 2;
    }
    parsed.message.device_id = static_cast<std::uint16_t>(device);

    zor::secs::ActiveEndpoint host;
    std::string error;
    if (!host.connect(address, port, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (!host.select()) {
        std::fprintf(stderr, "select refused (status %d)\n", host.select_status());
        return 1;
    }
    Message s1f13{static_cast<std::uint16_t>(device), 1, 13, true, 0, Item::list({})};
    bool answered = ask(host, s1f13) && ask(host, parsed.message);
    host.separate();
    return answered ? 0 : 1;
}
