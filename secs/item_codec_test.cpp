// Byte vectors written by hand from the SECS-II item layout: format byte =
// format code << 2 | number of length bytes, then the length, then the data.
#include "secs/item_codec.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "secs/test_bytes.h"

namespace zor::secs {
namespace {

struct Case {
    const char* name;
    Item item;
    std::string wire;
};

TEST(ItemCodec, EveryFormatMatchesTheStandardsBytes) {
    const Case cases[] = {
        {"L", Item::list({Item::u4(1001), Item::ascii("x")}),
         bytes({0x01, 0x02, 0xB1, 0x04, 0x00, 0x00, 0x03, 0xE9, 0x41, 0x01, 0x78})},
        {"B", Item::binary(bytes({0x01, 0xFF})), bytes({0x21, 0x02, 0x01, 0xFF})},
        {"BOOLEAN", Item::booleans({true, false}), bytes({0x25, 0x02, 0x01, 0x00})},
        {"A", Item::ascii("AB"), bytes({0x41, 0x02, 0x41, 0x42})},
        {"J", Item::jis("\x82\xa0"), bytes({0x45, 0x02, 0x82, 0xA0})},
        {"I8", Item::i8(-2), bytes({0x61, 0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE})},
        {"I1", Item::i1(-1), bytes({0x65, 0x01, 0xFF})},
        {"I2", Item::i2(-300), bytes({0x69, 0x02, 0xFE, 0xD4})},
        {"I4", Item::i4(-70000), bytes({0x71, 0x04, 0xFF, 0xFE, 0xEE, 0x90})},
        {"F8", Item::f8(1.5), bytes({0x81, 0x08, 0x3F, 0xF8, 0, 0, 0, 0, 0, 0})},
        {"F4", Item::f4(-2.5f), bytes({0x91, 0x04, 0xC0, 0x20, 0x00, 0x00})},
        {"U8", Item::u8(0x0102030405060708), bytes({0xA1, 0x08, 1, 2, 3, 4, 5, 6, 7, 8})},
        {"U1", Item::u1(200), bytes({0xA5, 0x01, 0xC8})},
        {"U2", Item::u2(65535), bytes({0xA9, 0x02, 0xFF, 0xFF})},
        {"U4", Item::u4(1001), bytes({0xB1, 0x04, 0x00, 0x00, 0x03, 0xE9})},
        {"U2 array", Item::unsigned_array(Format::u2, std::vector<std::uint64_t>{1, 2}),
         bytes({0xA9, 0x04, 0x00, 0x01, 0x00, 0x02})},
        {"I2 array", Item::signed_array(Format::i2, std::vector<std::int64_t>{-1, 1}),
         bytes({0x69, 0x04, 0xFF, 0xFF, 0x00, 0x01})},
        {"F4 array", Item::float_array(Format::f4, std::vector<double>{1.0, 0.5}),
         bytes({0x91, 0x08, 0x3F, 0x80, 0, 0, 0x3F, 0x00, 0, 0})},
        {"empty L", Item(), bytes({0x01, 0x00})},
        {"empty A", Item::empty(Format::ascii), bytes({0x41, 0x00})},
        {"empty U4", Item::empty(Format::u4), bytes({0xB1, 0x00})},
        {"nested", Item::list({Item::list({Item(), Item::empty(Format::binary)})}),
         bytes({0x01, 0x01, 0x01, 0x02, 0x01, 0x00, 0x21, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(encode(c.item), c.wire);
        Decoded back = decode(c.wire);
        ASSERT_TRUE(back.ok()) << back.error.reason;
        EXPECT_EQ(back.item, c.item);
    }
}

TEST(ItemCodec, LengthBytesGrowWithTheLength) {
    std::string text255(255, 'a'), text256(256, 'a'), text65535(65535, 'a'), text65536(65536, 'a');
    EXPECT_EQ(encode(Item::ascii(text255)).substr(0, 2), bytes({0x41, 0xFF}));
    EXPECT_EQ(encode(Item::ascii(text256)).substr(0, 3), bytes({0x42, 0x01, 0x00}));
    EXPECT_EQ(encode(Item::ascii(text65535)).substr(0, 3), bytes({0x42, 0xFF, 0xFF}));
    EXPECT_EQ(encode(Item::ascii(text65536)).substr(0, 4), bytes({0x43, 0x01, 0x00, 0x00}));
    EXPECT_EQ(decode(encode(Item::ascii(text65536))).item, Item::ascii(text65536));

    // A list of 256 items counts them in two bytes.
    std::vector<Item> many(256, Item::u1(7));
    std::string wire = encode(Item::list(many));
    EXPECT_EQ(wire.substr(0, 3), bytes({0x02, 0x01, 0x00}));
    EXPECT_EQ(wire.size(), 3u + 256 * 3);
    EXPECT_EQ(decode(wire).item, Item::list(many));

    // More length bytes than needed are allowed on the wire.
    for (const std::string& loose :
         {bytes({0x42, 0x00, 0x01, 0x78}), bytes({0x43, 0x00, 0x00, 0x01, 0x78})}) {
        Decoded d = decode(loose);
        ASSERT_TRUE(d.ok()) << d.error.reason;
        EXPECT_EQ(d.item, Item::ascii("x"));
    }
    EXPECT_THROW(encode(Item::binary(std::string(kMaxItemLength + 1, '\0'))), std::length_error);
}

TEST(ItemCodec, RefusesEveryMalformedShape) {
    using K = DecodeError::Kind;
    struct Bad {
        const char* name;
        std::string wire;
        K kind;
        std::size_t offset;
        DecodeLimits limits = {};
    };
    DecodeLimits shallow;
    shallow.max_depth = 2;
    DecodeLimits short_items;
    short_items.max_item_length = 4;
    DecodeLimits few;
    few.max_items = 3;
    const Bad cases[] = {
        {"nothing", "", K::truncated, 0},
        {"header cut", bytes({0xB1}), K::truncated, 0},
        {"two length bytes cut", bytes({0x42, 0x01}), K::truncated, 0},
        {"length past the end", bytes({0xB1, 0x04, 0x00, 0x00, 0x03}), K::truncated, 0},
        {"inner item past the end", bytes({0x01, 0x01, 0x41, 0x05, 0x61}), K::truncated, 2},
        {"format code 3", bytes({0x0D, 0x00}), K::bad_format, 0},
        {"list end marker", bytes({0xF5, 0x00}), K::bad_format, 0},
        {"format code 63", bytes({0xFD, 0x00}), K::bad_format, 0},
        {"no length bytes", bytes({0xB0, 0x04, 0, 0, 0, 1}), K::no_length_bytes, 0},
        {"U4 of 3 bytes", bytes({0xB1, 0x03, 0x00, 0x00, 0x01}), K::bad_length, 0},
        {"F8 of 4 bytes", bytes({0x81, 0x04, 0, 0, 0, 0}), K::bad_length, 0},
        {"I2 of 1 byte", bytes({0x69, 0x01, 0x00}), K::bad_length, 0},
        {"list longer than the rest", bytes({0x01, 0x03, 0xA5, 0x01, 0x01}), K::list_too_long, 0},
        {"list claims 16M items", bytes({0x03, 0xFF, 0xFF, 0xFF, 0x01, 0x00}), K::list_too_long, 0},
        {"trailing bytes", bytes({0xA5, 0x01, 0x01, 0x00}), K::trailing_bytes, 3},
        {"two items", bytes({0x01, 0x00, 0x01, 0x00}), K::trailing_bytes, 2},
        {"nested too deep", bytes({0x01, 0x01, 0x01, 0x01, 0x01, 0x00}), K::too_deep, 4, shallow},
        {"text too long", bytes({0x41, 0x05, 'a', 'b', 'c', 'd', 'e'}), K::too_long, 0,
         short_items},
        {"list too long",
         bytes({0x01, 0x05, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00}),
         K::too_long, 0, short_items},
        {"too many items", bytes({0x01, 0x03, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00}),
         K::too_many_items, 6, few},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded d = decode(c.wire, c.limits);
        EXPECT_FALSE(d.ok());
        EXPECT_EQ(d.error.kind, c.kind) << d.error.reason;
        EXPECT_EQ(d.error.offset, c.offset) << d.error.reason;
        EXPECT_EQ(d.item, Item());
    }
    // Limits that are met exactly still pass.
    EXPECT_TRUE(decode(bytes({0x01, 0x01, 0x01, 0x00}), shallow).ok());
    EXPECT_TRUE(decode(bytes({0x41, 0x04, 'a', 'b', 'c', 'd'}), short_items).ok());
    EXPECT_TRUE(decode(bytes({0x01, 0x02, 0x01, 0x00, 0x01, 0x00}), few).ok());
}

TEST(ItemCodec, ReasonsSayWhatAndWhere) {
    EXPECT_EQ(decode(bytes({0x01, 0x01, 0x0D, 0x00})).error.reason,
              "item at byte 2: format code 3 is no SECS-II format");
    EXPECT_EQ(decode(bytes({0xB1, 0x03, 0x00, 0x00, 0x01})).error.reason,
              "item at byte 0: length 3 is no multiple of 4 for U4");
    EXPECT_EQ(decode(bytes({0xA5, 0x01, 0x01, 0x00})).error.reason,
              "item at byte 3: 1 bytes after the item");
}

}  // namespace
}  // namespace zor::secs
