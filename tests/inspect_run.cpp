#include "tests/inspect_run.h"

#include <sys/wait.h>

#include <cstdlib>

namespace zor::testing {

InspectResult run_inspect(const CompileRun& dir, const std::string& arguments) {
    std::string command = "cd '" + dir.dir().string() + "' && '" ZOR_INSPECT_PATH "' " + arguments +
                          " > out.captured 2> err.captured";
    int status = std::system(command.c_str());
    InspectResult r;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1000;
    r.out = dir.read("out.captured");
    r.err = dir.read("err.captured");
    return r;
}

}  // namespace zor::testing
