#include "sim/log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zor::sim {
namespace {

std::string read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Log, MessagesWithDirectionSystemBytesAndRotationByLines) {
    auto dir = std::filesystem::temp_directory_path() / ("zor_log_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    auto path = dir / "sub" / "sim.log";
    {
        Log log;
        log.set_stdout(false);
        std::string error;
        ASSERT_TRUE(log.open(path.string(), 2, error)) << error;
        log.note("one");
        log.message(true, {0, 1, 3, true, 0x1A2B, secs::Item::list({secs::Item::u4(7)})});
        log.message(false, {0, 1, 4, false, 0x1A2B, secs::Item::ascii("x")});
        log.flush();
    }
    std::string rotated = read(dir / "sub" / "sim.log.1"), current = read(path);
    EXPECT_NE(rotated.find(" -- one\n"), std::string::npos) << rotated;
    EXPECT_NE(rotated.find(" <- S1F3 W [00001A2B] <L[1] <U4 7>>\n"), std::string::npos) << rotated;
    EXPECT_EQ(current.substr(23), " -> S1F4 [00001A2B] <A \"x\">\n");
    // A log opened again goes on counting the lines it holds.
    {
        Log log;
        log.set_stdout(false);
        std::string error;
        ASSERT_TRUE(log.open(path.string(), 2, error));
        log.note("two");
        log.note("three");
        log.flush();
    }
    EXPECT_EQ(read(path).substr(23), " -- three\n");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zor::sim
