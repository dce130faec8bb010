#pragma once
// A SECS-II data item: a list of items or a vector of elements of one format.
// An Item is a plain value: copies are deep, equality compares format and
// bytes (so two floats are equal when their bits are), nothing is shared.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zor::secs {

// The format codes: the item's format byte shifted right by two.
enum class Format : std::uint8_t {
    list = 0,
    binary = 8,
    boolean = 9,
    ascii = 16,
    jis = 17,
    i8 = 24,
    i1 = 25,
    i2 = 26,
    i4 = 28,
    f8 = 32,
    f4 = 36,
    u8 = 40,
    u1 = 41,
    u2 = 42,
    u4 = 44,
};

// The format of a code, or nothing when the code names no format.
std::optional<Format> format_from_code(int code);
// "L", "B", "BOOLEAN", "A", "J", "I8", …, "U4": the names SML writes.
std::string_view format_name(Format format);
// The format SML's name stands for (exactly as format_name writes it), or nothing.
std::optional<Format> format_from_name(std::string_view name);
// Bytes per element: 1 for B, BOOLEAN, A, J, I1, U1; 2, 4 or 8 for the
// wider numbers; 1 for L (whose elements are items, not bytes).
std::size_t element_size(Format format);
bool is_signed_integer(Format format);    // I1 I2 I4 I8
bool is_unsigned_integer(Format format);  // U1 U2 U4 U8
bool is_float(Format format);             // F4 F8
bool is_text(Format format);              // A J

class Item {
  public:
    // An empty list, <L[0]>.
    Item() = default;

    static Item list(std::vector<Item> items);
    // A zero-length item of any format (<L[0]>, <A>, <U4>, …).
    static Item empty(Format format);
    // Text and binary items hold the bytes as given (texts are Shift-JIS on
    // the wire; nothing is converted or padded).
    static Item binary(std::string bytes);
    static Item ascii(std::string bytes);
    static Item jis(std::string bytes);
    static Item boolean(bool value);
    static Item booleans(const std::vector<bool>& values);
    static Item i1(std::int8_t value);
    static Item i2(std::int16_t value);
    static Item i4(std::int32_t value);
    static Item i8(std::int64_t value);
    static Item u1(std::uint8_t value);
    static Item u2(std::uint16_t value);
    static Item u4(std::uint32_t value);
    static Item u8(std::uint64_t value);
    static Item f4(float value);
    static Item f8(double value);
    // Arrays of any numeric format. `format` must be of the kind the values
    // are (signed_array: I*, unsigned_array: U*, B or BOOLEAN, float_array:
    // F*; otherwise std::invalid_argument). Values are cut to the format's
    // width, so check them with fits() first when they may be out of range.
    static Item signed_array(Format format, std::span<const std::int64_t> values);
    static Item unsigned_array(Format format, std::span<const std::uint64_t> values);
    static Item float_array(Format format, std::span<const double> values);
    // An item from its data bytes as they are on the wire (big-endian
    // numbers); nothing when `format` is L or the byte count is no multiple
    // of the element size.
    static std::optional<Item> from_data(Format format, std::string data);

    Format format() const { return format_; }
    bool is_list() const { return format_ == Format::list; }
    // Element count: items of a list, bytes of B/BOOLEAN/A/J, numbers else.
    std::size_t size() const;
    // A list's items (empty for any other format).
    const std::vector<Item>& items() const { return items_; }
    std::vector<Item>& items() { return items_; }
    // The data bytes as on the wire (text bytes of A/J, big-endian numbers);
    // empty for a list.
    std::string_view data() const { return data_; }

    // Element i as a number. Integers, B and BOOLEAN give as_u64/as_i64 when
    // the value fits the result type (a negative value has no as_u64, a U8
    // above INT64_MAX no as_i64); floats give only as_double; integers give
    // as_double too (exact up to 2^53). Nothing for lists, texts, i >= size().
    std::optional<std::uint64_t> as_u64(std::size_t i = 0) const;
    std::optional<std::int64_t> as_i64(std::size_t i = 0) const;
    std::optional<double> as_double(std::size_t i = 0) const;

    friend bool operator==(const Item&, const Item&) = default;

  private:
    static Item number(Format format, std::uint64_t bits);

    Format format_ = Format::list;
    std::string data_;
    std::vector<Item> items_;
};

// True when an integer item of `format` (or B/BOOLEAN, as unsigned bytes)
// can hold `value` unchanged.
bool fits(Format format, std::int64_t value);
bool fits_unsigned(Format format, std::uint64_t value);

}  // namespace zor::secs
