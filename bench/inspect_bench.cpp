// ZorInspect benchmark: for each object file given, zoredit's load of it and
// the check of what was loaded (reading every definition out through
// zoredit's C interface, then the rules), best of 5, in the same run.
//
// Usage: inspect_bench FILE.fil [FILE.fil ...]   (inspect_bench.sh makes
// the files: the compile benchmark's generator at several sizes, compiled)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/best_of.h"
#include "inspect/check.h"
#include "inspect/snapshot.h"
#include "zoredit/zoredit.h"

namespace {

using zor::bench::best_of;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: inspect_bench FILE.fil [FILE.fil ...]\n");
        return 2;
    }
    std::printf("%-10s %12s %9s %9s %7s %14s %9s\n", "file", "definitions", "load s", "check s",
                "ratio", "check us/def", "findings");
    bool within = true;
    for (int i = 1; i < argc; ++i) {
        int defs = 0;
        char reason[512] = {};
        double load = best_of(
            [&] { defs = GemEditSetupEquipment(0, "/dev/null", argv[i], reason, sizeof reason); });
        if (defs < 0) {
            std::fprintf(stderr, "%s\n", reason);
            return 1;
        }
        // The check as the editor runs it after its own load: every
        // definition read out through zoredit, then the rules.
        std::string error;
        size_t findings = 0;
        double check = best_of([&] {
            zor::inspect::Snapshot s;
            if (!zor::inspect::take_snapshot(s, error)) std::fprintf(stderr, "%s\n", error.c_str());
            findings = zor::inspect::check(s).size();
        });
        std::string name = argv[i];
        name = name.substr(name.find_last_of('/') + 1);
        std::printf("%-10s %12d %9.3f %9.3f %7.2f %14.2f %9zu\n", name.c_str(), defs, load, check,
                    check / load, check / defs * 1e6, findings);
        within = within && check <= 2 * load;
    }
    std::printf("target: check <= 2 x load (%s); check us/def flat across sizes (linear)\n",
                within ? "met" : "NOT met");
    GemTerminateLibrary();
    return 0;
}
