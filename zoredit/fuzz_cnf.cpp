// Fuzz target for the environment file reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "zoredit/cnf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zor::edit;
    CnfValues values = read_cnf(std::string_view(reinterpret_cast<const char*>(data), size));
    TEq_Mgr mgr{};
    fill_settings(values, mgr);
    clear_settings(mgr);
    return 0;
}
