#include "sim/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zor::sim {
namespace {

TEST(Settings, WindowsPathsBecomeDirectoriesUnderTheBase) {
    EXPECT_EQ(local_path("C:\\CVD300\\LOG", "/run"), "/run/CVD300/LOG");
    EXPECT_EQ(local_path("d:/a/../b", "/run"), "/run/a/b");
    EXPECT_EQ(local_path("\\\\server\\share", "/run"), "/run/server/share");
    EXPECT_EQ(local_path("/var/log/zor", "/run"), std::nullopt);
    EXPECT_EQ(local_path("log", "/run"), std::nullopt);
}

TEST(Settings, CnfKeysThenOptions) {
    auto dir =
        std::filesystem::temp_directory_path() / ("zor_settings_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    auto cnf = (dir / "eq.cnf").string();
    std::ofstream(cnf) << "COMM_PORT = 6001\r\nCOMM_DEVICE = 3\r\nS1F13_SEND = 2\r\n"
                          "LOG_PATH = /tmp/zl\r\nLOG_FILE = a.log\r\nLOG_SIZE = 10\r\n";
    Settings s;
    std::string error;
    ASSERT_TRUE(read_settings({cnf, "eq.fil", "--device", "7", "--t3", "300"}, s, error)) << error;
    EXPECT_EQ(s.port, 6001);
    EXPECT_EQ(s.device, 7);
    EXPECT_EQ(s.s1f13_send, 2);
    EXPECT_EQ(s.log_path, "/tmp/zl/a.log");
    EXPECT_EQ(s.log_size, 10);
    EXPECT_EQ(s.timeouts.t3_ms, 300);
    Settings bad;
    EXPECT_FALSE(read_settings({cnf, "eq.fil", "--port", "70000"}, bad, error));
    EXPECT_EQ(error, "--port 70000: not a number from 0 to 65535");
    std::ofstream(cnf) << "S1F13_SEND = 3\r\n";
    EXPECT_FALSE(read_settings({cnf, "eq.fil"}, bad, error));
    EXPECT_EQ(error, cnf + ": S1F13_SEND = 3 is not a number from 0 to 2");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zor::sim
