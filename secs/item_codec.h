#pragma once
// SECS-II items to bytes and back. An item on the wire is a format byte
// (format code << 2 | number of length bytes, 1 to 3), the length in that
// many big-endian bytes (the item count of a list, the byte count of any
// other format) and the data; a list's items follow its header.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "secs/item.h"

namespace zor::secs {

// The largest length three length bytes can say.
inline constexpr std::size_t kMaxItemLength = 0xFFFFFF;

// The bytes of `item`, using the fewest length bytes each header needs.
// std::length_error when a list holds or an item's data has more than
// kMaxItemLength items or bytes.
std::string encode(const Item& item);
// The same, appended to `out`.
void encode_to(const Item& item, std::string& out);
// Appends the header of an item of `format` whose length (item count of a
// list, byte count else) is `length`; std::length_error above kMaxItemLength.
void encode_header(Format format, std::size_t length, std::string& out);

// Bounds a decoder keeps however the bytes are made.
struct DecodeLimits {
    // Longest data of one non-list item, in bytes, and most items of one list.
    std::size_t max_item_length = kMaxItemLength;
    // Deepest list nesting: 1 allows a list of plain items, 0 no list.
    int max_depth = 32;
    // Most items in the whole body (lists and their contents each count 1).
    std::size_t max_items = 1000000;
};

struct DecodeError {
    enum class Kind {
        none,
        truncated,        // the bytes end inside a header or data
        bad_format,       // a format code that names no format
        no_length_bytes,  // a format byte that says 0 length bytes
        bad_length,       // numeric data no multiple of the element size
        list_too_long,    // a list counts more items than bytes remain
        trailing_bytes,   // bytes left after the one item
        too_long,         // longer than max_item_length
        too_deep,         // nested deeper than max_depth
        too_many_items,   // more than max_items in all
    };
    Kind kind = Kind::none;
    std::size_t offset = 0;  // where in the bytes the fault starts
    std::string reason;      // e.g. "item at byte 12: format code 3 is no SECS-II format"
};

struct Decoded {
    Item item;
    DecodeError error;
    bool ok() const { return error.kind == DecodeError::Kind::none; }
};

// Decodes exactly one item that fills `bytes`. On any fault `item` is an
// empty list and `error` says what and where; nothing is thrown for bad
// input, and memory stays within what `bytes` and `limits` allow.
Decoded decode(std::string_view bytes, const DecodeLimits& limits = {});

}  // namespace zor::secs
