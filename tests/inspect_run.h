#pragma once
// Runs the built ZorInspect in a CompileRun's directory, as a user runs it.

#include <string>

#include "tests/compile_run.h"

namespace zor::testing {

struct InspectResult {
    int status = -1;
    std::string out, err;
};

// `arguments` is shell text after the program name.
InspectResult run_inspect(const CompileRun& dir, const std::string& arguments);

}  // namespace zor::testing
