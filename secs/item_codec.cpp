#include "secs/item_codec.h"

#include <stdexcept>

namespace zor::secs {

void encode_header(Format format, std::size_t length, std::string& out) {
    if (length > kMaxItemLength)
        throw std::length_error("a SECS-II item is longer than three length bytes can say");
    int count = length > 0xFFFF ? 3 : length > 0xFF ? 2 : 1;
    out += static_cast<char>(static_cast<int>(format) << 2 | count);
    for (int i = count; i-- > 0;) out += static_cast<char>((length >> (8 * i)) & 0xFF);
}

namespace {

class Decoder {
  public:
    Decoder(std::string_view bytes, const DecodeLimits& limits) : bytes_(bytes), limits_(limits) {}

    bool item(Item& out, int depth) {
        std::size_t start = at_;
        if (at_ >= bytes_.size()) return fail(DecodeError::Kind::truncated, start, "no item");
        auto format_byte = static_cast<unsigned char>(bytes_[at_++]);
        int count = format_byte & 3;
        auto format = format_from_code(format_byte >> 2);
        if (!format)
            return fail(
                DecodeError::Kind::bad_format, start,
                "format code " + std::to_string(format_byte >> 2) + " is no SECS-II format");
        if (count == 0) return fail(DecodeError::Kind::no_length_bytes, start, "no length bytes");
        if (bytes_.size() - at_ < static_cast<std::size_t>(count))
            return fail(DecodeError::Kind::truncated, start, "length bytes cut off");
        std::size_t length = 0;
        for (int i = 0; i < count; ++i)
            length = length << 8 | static_cast<unsigned char>(bytes_[at_++]);
        if (length > limits_.max_item_length)
            return fail(DecodeError::Kind::too_long, start,
                        "length " + std::to_string(length) + " is above the limit of " +
                            std::to_string(limits_.max_item_length));
        if (++items_ > limits_.max_items)
            return fail(DecodeError::Kind::too_many_items, start,
                        "more than " + std::to_string(limits_.max_items) + " items");
        std::size_t rest = bytes_.size() - at_;
        if (*format == Format::list) {
            if (depth >= limits_.max_depth)
                return fail(DecodeError::Kind::too_deep, start,
                            "lists nested deeper than " + std::to_string(limits_.max_depth));
            // Every item takes at least two bytes, so a count above half of
            // what remains cannot be met; refusing it first keeps a forged
            // count from reserving memory.
            if (length > rest / 2)
                return fail(DecodeError::Kind::list_too_long, start,
                            "list of " + std::to_string(length) + " items with " +
                                std::to_string(rest) + " bytes left");
            std::vector<Item> items(length);
            for (Item& child : items)
                if (!item(child, depth + 1)) return false;
            out = Item::list(std::move(items));
            return true;
        }
        if (length > rest)
            return fail(DecodeError::Kind::truncated, start,
                        "length " + std::to_string(length) + " with " + std::to_string(rest) +
                            " bytes left");
        auto made = Item::from_data(*format, std::string(bytes_.substr(at_, length)));
        if (!made)
            return fail(DecodeError::Kind::bad_length, start,
                        "length " + std::to_string(length) + " is no multiple of " +
                            std::to_string(element_size(*format)) + " for " +
                            std::string(format_name(*format)));
        at_ += length;
        out = std::move(*made);
        return true;
    }

    std::size_t at() const { return at_; }
    DecodeError& error() { return error_; }

    bool fail(DecodeError::Kind kind, std::size_t offset, const std::string& what) {
        error_.kind = kind;
        error_.offset = offset;
        error_.reason = "item at byte " + std::to_string(offset) + ": " + what;
        return false;
    }

  private:
    std::string_view bytes_;
    const DecodeLimits& limits_;
    std::size_t at_ = 0;
    std::size_t items_ = 0;
    DecodeError error_;
};

}  // namespace

void encode_to(const Item& item, std::string& out) {
    if (item.is_list()) {
        encode_header(Format::list, item.items().size(), out);
        for (const Item& child : item.items()) encode_to(child, out);
        return;
    }
    encode_header(item.format(), item.data().size(), out);
    out += item.data();
}

std::string encode(const Item& item) {
    std::string out;
    encode_to(item, out);
    return out;
}

Decoded decode(std::string_view bytes, const DecodeLimits& limits) {
    Decoded result;
    Decoder decoder(bytes, limits);
    if (!decoder.item(result.item, 0)) {
        result.item = Item();
        result.error = std::move(decoder.error());
    } else if (decoder.at() != bytes.size()) {
        result.item = Item();
        decoder.fail(DecodeError::Kind::trailing_bytes, decoder.at(),
                     std::to_string(bytes.size() - decoder.at()) + " bytes after the item");
        result.error = std::move(decoder.error());
    }
    return result;
}

}  // namespace zor::secs
