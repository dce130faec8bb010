// Fuzz target for the whole compiler: the bytes are one source, compiled as
// ZorCompile compiles it, in a scratch directory of its own. Whatever the
// bytes, the run must not crash, hang or touch memory it does not own, and
// its end marker must agree with its exit code.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "compiler/driver/driver.h"

namespace {

std::filesystem::path scratch;

void remove_scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

// Every run writes its files in the working directory, in memory where the
// system has a place for that; the messages of a million runs are of no
// interest.
bool make_scratch_directory() {
    char name[] = "/dev/shm/zor_fuzz_compile_XXXXXX";
    char fallback[] = "/tmp/zor_fuzz_compile_XXXXXX";
    if (!::mkdtemp(name) && !::mkdtemp(fallback)) std::abort();
    scratch = std::filesystem::exists(name) ? name : fallback;
    std::atexit(remove_scratch);
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
    return true;
}

// The caller's working directory, back when a run ends (its inputs may be
// named relative to it).
class InScratch {
  public:
    InScratch() : home_(std::filesystem::current_path()) { std::filesystem::current_path(scratch); }
    ~InScratch() { std::filesystem::current_path(home_); }

  private:
    std::filesystem::path home_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = make_scratch_directory();
    (void)ready;
    InScratch in_scratch;
    std::ofstream("eq.txt", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    char program[] = "ZorCompile";
    char source[] = "eq.txt";
    char* argv[] = {program, source, nullptr};
    int code = zor::compiler::run_compiler(2, argv);
    std::ifstream marker("zor_conf.end", std::ios::binary);
    std::stringstream text;
    text << marker.rdbuf();
    if (text.str() != (code == 0 ? "0" : "1")) std::abort();
    return 0;
}
