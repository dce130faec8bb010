#pragma once
// ZorInspect's command line: `ZorInspect check FILE.fil [options]`,
// `--help`, `--version`. Subcommands share the option reading and the exit
// statuses: 0 clean, 1 findings that fail the run, 2 input not read or a
// command line that makes no sense.

#include <ostream>
#include <string>
#include <vector>

namespace zor::inspect {

constexpr int kExitClean = 0;
constexpr int kExitFindings = 1;
constexpr int kExitUnreadable = 2;

// Runs one command; `args` are the arguments after the program name.
int run_inspect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zor::inspect
