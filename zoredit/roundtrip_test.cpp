// Load an object file, write it back as source, compile: the same object
// file, byte for byte, with the real ZorCompile.
#include <gtest/gtest.h>

#include <filesystem>
#include <cstdlib>
#include <random>

#include "zoredit/test_support.h"
#include "zoredit/zoredit.h"

namespace zor::edit::test {
namespace {

#ifndef ZOR_SOURCE_DIR
#define ZOR_SOURCE_DIR "."
#endif

// Compiles `source`, then load → write → compile twice more; every object
// file must equal the first, and the second written source the first.
void expect_round_trip(const std::string& source, const std::string& tag) {
    std::string dir = scratch_dir(tag);
    CompileResult first = compile(dir, source);
    if (!first.ran) GTEST_SKIP() << "ZorCompile not found (set ZORCOMPILE)";
    ASSERT_EQ(first.errors, 0) << first.output;
    std::string error;
    ASSERT_GE(load_fil(dir, first.fil, &error), 0) << error;
    ASSERT_EQ(ZorWriteEqInfo((dir + "/back.txt").c_str()), 0);
    std::string written = read_file(dir + "/back.txt");
    CompileResult second = compile(dir, written, "back");
    ASSERT_EQ(second.errors, 0) << second.output << "\n" << written;
    ASSERT_EQ(second.fil, first.fil) << written;
    ASSERT_GE(load_fil(dir, second.fil, &error), 0) << error;
    ASSERT_EQ(ZorWriteEqInfo((dir + "/again.txt").c_str()), 0);
    EXPECT_EQ(read_file(dir + "/again.txt"), written);
    if (!std::getenv("ZOREDIT_KEEP")) std::filesystem::remove_all(dir);
}

TEST(RoundTrip, SampleEquipment) {
    expect_round_trip(read_file(std::string(ZOR_SOURCE_DIR) + "/examples/equipment.txt"), "sample");
}

}  // namespace
}  // namespace zor::edit::test
