#include "secs/item.h"

#include <gtest/gtest.h>

namespace zor::secs {
namespace {

TEST(Item, ReadsNumbersAcrossFormats) {
    EXPECT_EQ(Item::i1(-1).as_i64(), -1);
    EXPECT_EQ(Item::i1(-1).as_u64(), std::nullopt);
    EXPECT_EQ(Item::u8(UINT64_MAX).as_i64(), std::nullopt);
    EXPECT_EQ(Item::u8(UINT64_MAX).as_u64(), UINT64_MAX);
    EXPECT_EQ(Item::f4(1.5f).as_i64(), std::nullopt);
    EXPECT_EQ(Item::f4(1.5f).as_double(), 1.5);
    EXPECT_EQ(Item::ascii("12").as_u64(), std::nullopt);
}

}  // namespace
}  // namespace zor::secs
