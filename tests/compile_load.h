#pragma once
// The road from a source to an open session: ZorCompile writes the object
// file, zoredit loads it as the definition session does.

#include <string>

#include "tests/compile_run.h"

namespace zor::testing {

struct LoadResult {
    int result = 0;     // GemEditSetupEquipment's result
    std::string error;  // its error buffer
};

// Loads the run's object file "eq.fil" with a small environment file.
LoadResult load_object_file(const CompileRun& run);

}  // namespace zor::testing
