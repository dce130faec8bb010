#include "secs/item.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace zor::secs {
namespace {

TEST(Item, ReadsNumbersAcrossFormats) {
    EXPECT_EQ(Item::i1(-1).as_i64(), -1);
    EXPECT_EQ(Item::i1(-1).as_u64(), std::nullopt);
    EXPECT_EQ(Item::i1(-1).as_double(), -1.0);
    EXPECT_EQ(Item::i8(std::numeric_limits<std::int64_t>::min()).as_i64(),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(Item::u8(UINT64_MAX).as_i64(), std::nullopt);
    EXPECT_EQ(Item::u8(UINT64_MAX).as_u64(), UINT64_MAX);
    EXPECT_EQ(Item::u2(40000).as_i64(), 40000);  // no sign taken from the top bit
    EXPECT_EQ(Item::f4(1.5f).as_i64(), std::nullopt);
    EXPECT_EQ(Item::f4(1.5f).as_double(), 1.5);
    EXPECT_EQ(Item::binary("\xC8").as_u64(), 200u);
    EXPECT_EQ(Item::boolean(true).as_u64(), 1u);
    EXPECT_EQ(Item::ascii("12").as_u64(), std::nullopt);
    EXPECT_EQ(Item::list({Item::u1(1)}).as_u64(), std::nullopt);
    Item three = Item::signed_array(Format::i4, std::vector<std::int64_t>{-5, 0, 7});
    EXPECT_EQ(three.size(), 3u);
    EXPECT_EQ(three.as_i64(2), 7);
    EXPECT_EQ(three.as_i64(3), std::nullopt);
    EXPECT_EQ(Item::empty(Format::u4).as_u64(), std::nullopt);
}

TEST(Item, FitsSaysWhetherAFormatHoldsAValue) {
    EXPECT_TRUE(fits(Format::i1, -128));
    EXPECT_FALSE(fits(Format::i1, -129));
    EXPECT_TRUE(fits(Format::i1, 127));
    EXPECT_FALSE(fits(Format::i1, 128));
    EXPECT_TRUE(fits(Format::u1, 255));
    EXPECT_FALSE(fits(Format::u1, 256));
    EXPECT_FALSE(fits(Format::u4, -1));
    EXPECT_TRUE(fits(Format::i8, std::numeric_limits<std::int64_t>::min()));
    EXPECT_TRUE(fits_unsigned(Format::u8, UINT64_MAX));
    EXPECT_FALSE(fits_unsigned(Format::i8, UINT64_MAX));
    EXPECT_TRUE(fits_unsigned(Format::i4, 0x7FFFFFFF));
    EXPECT_FALSE(fits_unsigned(Format::i4, 0x80000000));
    EXPECT_TRUE(fits(Format::binary, 255));
    EXPECT_FALSE(fits(Format::f4, 1));
    EXPECT_FALSE(fits(Format::ascii, 1));
}

TEST(Item, BuildersRefuseWhatTheFormatCannotBe) {
    EXPECT_FALSE(Item::from_data(Format::u4, "abc"));
    EXPECT_FALSE(Item::from_data(Format::list, ""));
    EXPECT_EQ(Item::from_data(Format::u2, std::string("\x01\x02", 2)), Item::u2(0x0102));
    EXPECT_THROW(Item::signed_array(Format::u4, {}), std::invalid_argument);
    EXPECT_THROW(Item::unsigned_array(Format::i4, {}), std::invalid_argument);
    EXPECT_THROW(Item::float_array(Format::u4, {}), std::invalid_argument);
    // Equal when format and bytes are: an empty list is no empty text.
    EXPECT_NE(Item(), Item::empty(Format::ascii));
    EXPECT_NE(Item::u4(1), Item::i4(1));
    EXPECT_EQ(format_from_code(44), Format::u4);
    EXPECT_EQ(format_from_code(61), std::nullopt);
    EXPECT_EQ(format_from_name("BOOLEAN"), Format::boolean);
    EXPECT_EQ(format_name(Format::i8), "I8");
}

}  // namespace
}  // namespace zor::secs
