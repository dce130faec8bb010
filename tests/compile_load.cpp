#include "tests/compile_load.h"

#include "zoredit/zoredit.h"

namespace zor::testing {

LoadResult load_object_file(const CompileRun& run) {
    run.write("load.cnf", "//----- load.cnf\r\n\r\nLOG_SIZE         = 10\r\n");
    char buffer[1024] = {};
    LoadResult r;
    r.result = GemEditSetupEquipment(0, (run.dir() / "load.cnf").c_str(),
                                     (run.dir() / "eq.fil").c_str(), buffer, sizeof buffer);
    r.error = buffer;
    return r;
}

}  // namespace zor::testing
