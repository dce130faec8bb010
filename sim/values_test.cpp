#include "sim/values.h"

#include <gtest/gtest.h>

namespace zor::sim {
namespace {

using secs::Format;
using secs::Item;

Variable constant(int format, std::optional<std::string> min = {},
                  std::optional<std::string> max = {}, int32_t size = 1, int32_t max_size = 0) {
    Variable v;
    v.kind = VariableKind::EC;
    v.format = format;
    v.size = size;
    v.max_size = max_size;
    v.min = std::move(min);
    v.max = std::move(max);
    return v;
}

TEST(AcceptValue, IntegerConstantTakesAnyIntegerFormatThatFitsItsRange) {
    Variable u2 = constant(42, "1", "120");
    Item out;
    EXPECT_EQ(accept_value(u2, Item::i8(120), out), ValueFault::none);
    EXPECT_EQ(out, Item::u2(120));
    EXPECT_EQ(accept_value(u2, Item::u1(0), out), ValueFault::out_of_range);
    EXPECT_EQ(accept_value(u2, Item::i1(-1), out), ValueFault::out_of_range);
    EXPECT_EQ(accept_value(u2, Item::f4(20), out), ValueFault::wrong_format);
    EXPECT_EQ(accept_value(u2, Item::ascii("20"), out), ValueFault::wrong_format);
    EXPECT_EQ(accept_value(u2, Item::empty(Format::u2), out), ValueFault::wrong_format);
    // No range: only the format's own bounds.
    Variable u1 = constant(41);
    EXPECT_EQ(accept_value(u1, Item::u4(256), out), ValueFault::out_of_range);
    Variable i1 = constant(25);
    EXPECT_EQ(accept_value(i1, Item::i2(-128), out), ValueFault::none);
    EXPECT_EQ(out, Item::i1(-128));
}

TEST(AcceptValue, FloatsTextsAndBooleans) {
    Item out;
    Variable f4 = constant(36, "20.0", "450.0");
    EXPECT_EQ(accept_value(f4, Item::f8(450.0), out), ValueFault::none);
    EXPECT_EQ(out, Item::f4(450.0f));
    EXPECT_EQ(accept_value(f4, Item::f8(450.01), out), ValueFault::out_of_range);
    EXPECT_EQ(accept_value(f4, Item::u4(100), out), ValueFault::wrong_format);
    Variable f4_open = constant(36);
    EXPECT_EQ(accept_value(f4_open, Item::f8(1e300), out), ValueFault::wrong_format);
    Variable text = constant(16, {}, {}, 1, 4);
    EXPECT_EQ(accept_value(text, Item::jis("abcd"), out), ValueFault::none);
    EXPECT_EQ(out, Item::ascii("abcd"));
    EXPECT_EQ(accept_value(text, Item::ascii("abcde"), out), ValueFault::out_of_range);
    Variable flag = constant(9);
    EXPECT_EQ(accept_value(flag, Item::u1(1), out), ValueFault::none);
    EXPECT_EQ(out, Item::boolean(true));
    EXPECT_EQ(accept_value(flag, Item::u1(2), out), ValueFault::out_of_range);
}

TEST(ItemOf, ValueTextsInTheirFormat) {
    EXPECT_EQ(item_of(44, {"0x10", "2"}),
              Item::unsigned_array(Format::u4, std::vector<uint64_t>{16, 2}));
    EXPECT_EQ(item_of(26, {"-32768"}), Item::i2(-32768));
    EXPECT_FALSE(item_of(26, {"32768"}));
    EXPECT_FALSE(item_of(41, {"-1"}));
    EXPECT_FALSE(item_of(36, {"1e39"}));  // beyond F4
    EXPECT_FALSE(item_of(32, {"12abc"}));
    EXPECT_EQ(item_of(9, {"TRUE", "0"}), Item::booleans({true, false}));
    EXPECT_FALSE(item_of(0, {"1"}));
    // An array's starting value has its size of elements.
    Variable gas = constant(44, {}, {}, 4, 4);
    EXPECT_EQ(initial_value(gas),
              Item::unsigned_array(Format::u4, std::vector<uint64_t>{0, 0, 0, 0}));
    gas.nominal = "7";
    EXPECT_EQ(initial_value(gas),
              Item::unsigned_array(Format::u4, std::vector<uint64_t>{7, 7, 7, 7}));
}

TEST(TracePeriod, SixOrEightDigitsAndNotZero) {
    EXPECT_EQ(trace_period("000010"), std::chrono::seconds(10));
    EXPECT_EQ(trace_period("01020305"), std::chrono::milliseconds(((60 + 2) * 60 + 3) * 1000 + 50));
    EXPECT_FALSE(trace_period("000000"));
    EXPECT_FALSE(trace_period("006000"));
    EXPECT_FALSE(trace_period("0010"));
    EXPECT_FALSE(trace_period("00001x"));
}

}  // namespace
}  // namespace zor::sim
