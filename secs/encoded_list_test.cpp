#include "secs/encoded_list.h"

#include <gtest/gtest.h>

#include <random>

#include "secs/item_codec.h"
#include "secs/sml.h"

namespace zor::secs {
namespace {

void expect_body(EncodedList& list, const std::vector<Item>& items, const std::string& when) {
    auto body = list.body();
    Item whole = Item::list(items);
    EXPECT_EQ(body->wire, encode(whole)) << when;
    EXPECT_EQ(body->sml, to_sml(whole)) << when;
}

// Replacements of every shape against the list encoded whole: longer and
// shorter elements, neighbours, the first and last, the same element twice,
// an element put back as it was, and bodies handed out before a change.
TEST(EncodedList, StaysTheEncodingOfTheListAsReplaced) {
    expect_body(*std::make_unique<EncodedList>(std::vector<Item>{}), {}, "empty");

    std::vector<Item> items;
    for (uint32_t i = 0; i < 300; ++i) items.push_back(Item::u4(i));  // two length bytes
    EncodedList list(items);
    expect_body(list, items, "as made");

    auto held = list.body();
    const std::string held_wire = held->wire, held_sml = held->sml;
    std::mt19937 random(7);
    const Item shapes[] = {Item::u4(123456),        Item::ascii("a \"quoted\" text"),
                           Item::ascii(""),         Item::list({Item::u1(1), Item::f4(0.5f)}),
                           Item::empty(Format::u2), Item::binary(std::string(300, '\x01'))};
    for (int round = 0; round < 200; ++round) {
        int changes = static_cast<int>(random() % 6);
        for (int c = 0; c < changes; ++c) {
            size_t at = round % 10 == 0 ? (c % 2 ? 0 : items.size() - 1) : random() % items.size();
            const Item& shape = shapes[random() % std::size(shapes)];
            list.replace(at, shape);
            items[at] = shape;
            if (c == 2 && at + 1 < items.size()) {  // a neighbour, then back as it was
                Item before = items[at + 1];
                list.replace(at + 1, Item::ascii("x"));
                list.replace(at + 1, before);
            }
        }
        expect_body(list, items, "round " + std::to_string(round));
    }
    EXPECT_EQ(held->wire, held_wire);
    EXPECT_EQ(held->sml, held_sml);

    auto unchanged = list.body();
    list.replace(5, items[5]);
    EXPECT_EQ(list.body(), unchanged) << "an element as it was makes no new body";
}

}  // namespace
}  // namespace zor::secs
