#include "sim/spool.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zor::sim {
namespace {

namespace fs = std::filesystem;

class SpoolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zor_spool_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

secs::Message event(uint32_t n) {
    return {0, 6, 11, true, 0, secs::Item::list({secs::Item::u4(n)})};
}

TEST_F(SpoolTest, KeptAcrossARestartInOrderAndBounded) {
    {
        SpoolStore store(dir_.string(), 2);
        std::string error;
        ASSERT_TRUE(store.load(error)) << error;
        EXPECT_TRUE(store.add(event(1)));
        EXPECT_TRUE(store.add(event(2)));
        EXPECT_FALSE(store.add(event(3)));
    }
    SpoolStore again(dir_.string(), 2);
    std::string error;
    ASSERT_TRUE(again.load(error)) << error;
    auto taken = again.take();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0], event(1));
    EXPECT_EQ(taken[1], event(2));
    SpoolStore emptied(dir_.string(), 2);
    ASSERT_TRUE(emptied.load(error));
    EXPECT_EQ(emptied.size(), 0u);
}

TEST_F(SpoolTest, ADamagedFileIsSetAsideNotServed) {
    {
        SpoolStore store(dir_.string());
        ASSERT_TRUE(store.add(event(1)));
    }
    std::ofstream(dir_ / "spool.dat", std::ios::binary | std::ios::app)
        << std::string("\0\0\0\x0c\0", 5);
    SpoolStore store(dir_.string());
    std::string error;
    EXPECT_FALSE(store.load(error));
    EXPECT_NE(error.find("damaged spool file"), std::string::npos);
    EXPECT_EQ(store.size(), 0u);
    EXPECT_TRUE(fs::exists(dir_ / "spool.dat.bad"));
    EXPECT_FALSE(fs::exists(dir_ / "spool.dat"));
}

}  // namespace
}  // namespace zor::sim
