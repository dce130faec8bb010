#include "secs/item.h"

#include <array>
#include <bit>
#include <stdexcept>

namespace zor::secs {
namespace {

struct FormatInfo {
    Format format;
    std::string_view name;
    std::size_t size;
};

constexpr FormatInfo kFormats[] = {
    {Format::list, "L", 1},  {Format::binary, "B", 1}, {Format::boolean, "BOOLEAN", 1},
    {Format::ascii, "A", 1}, {Format::jis, "J", 1},    {Format::i8, "I8", 8},
    {Format::i1, "I1", 1},   {Format::i2, "I2", 2},    {Format::i4, "I4", 4},
    {Format::f8, "F8", 8},   {Format::f4, "F4", 4},    {Format::u8, "U8", 8},
    {Format::u1, "U1", 1},   {Format::u2, "U2", 2},    {Format::u4, "U4", 4},
};

// The table by format code (six bits), so the log's formatting of many
// small items does not search it for each.
constexpr std::array<const FormatInfo*, 64> kByCode = [] {
    std::array<const FormatInfo*, 64> by_code{};
    for (const auto& f : kFormats) by_code[static_cast<std::size_t>(f.format)] = &f;
    return by_code;
}();

const FormatInfo& info(Format format) {
    auto code = static_cast<std::size_t>(format);
    if (code >= kByCode.size() || !kByCode[code]) throw std::invalid_argument("no SECS-II format");
    return *kByCode[code];
}

void put_big_endian(std::string& out, std::uint64_t value, std::size_t size) {
    for (std::size_t i = size; i-- > 0;) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t get_big_endian(std::string_view data, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    return value;
}

// B and BOOLEAN carry unsigned bytes, as U1 does.
bool holds_unsigned(Format format) {
    return is_unsigned_integer(format) || format == Format::binary || format == Format::boolean;
}

std::int64_t sign_extend(std::uint64_t bits, std::size_t size) {
    if (size < 8 && (bits >> (8 * size - 1)) & 1) bits |= ~std::uint64_t{0} << (8 * size);
    return static_cast<std::int64_t>(bits);
}

Item with_data(Format format, std::string data) {
    return *Item::from_data(format, std::move(data));
}

}  // namespace

std::optional<Format> format_from_code(int code) {
    for (const auto& f : kFormats)
        if (static_cast<int>(f.format) == code) return f.format;
    return std::nullopt;
}

std::string_view format_name(Format format) { return info(format).name; }

std::optional<Format> format_from_name(std::string_view name) {
    for (const auto& f : kFormats)
        if (f.name == name) return f.format;
    return std::nullopt;
}

std::size_t element_size(Format format) { return info(format).size; }

bool is_signed_integer(Format format) {
    return format == Format::i1 || format == Format::i2 || format == Format::i4 ||
           format == Format::i8;
}

bool is_unsigned_integer(Format format) {
    return format == Format::u1 || format == Format::u2 || format == Format::u4 ||
           format == Format::u8;
}

bool is_float(Format format) { return format == Format::f4 || format == Format::f8; }

bool is_text(Format format) { return format == Format::ascii || format == Format::jis; }

Item Item::list(std::vector<Item> items) {
    Item item;
    item.items_ = std::move(items);
    return item;
}

Item Item::empty(Format format) {
    Item item;
    item.format_ = format;
    return item;
}

std::optional<Item> Item::from_data(Format format, std::string data) {
    if (format == Format::list || data.size() % element_size(format) != 0) return std::nullopt;
    Item item;
    item.format_ = format;
    item.data_ = std::move(data);
    return item;
}

Item Item::binary(std::string bytes) { return with_data(Format::binary, std::move(bytes)); }
Item Item::ascii(std::string bytes) { return with_data(Format::ascii, std::move(bytes)); }
Item Item::jis(std::string bytes) { return with_data(Format::jis, std::move(bytes)); }
Item Item::boolean(bool value) { return with_data(Format::boolean, std::string(1, value)); }

Item Item::booleans(const std::vector<bool>& values) {
    std::string data;
    for (bool v : values) data += static_cast<char>(v);
    return with_data(Format::boolean, std::move(data));
}

Item Item::i1(std::int8_t value) { return number(Format::i1, static_cast<std::uint8_t>(value)); }
Item Item::i2(std::int16_t value) { return number(Format::i2, static_cast<std::uint16_t>(value)); }
Item Item::i4(std::int32_t value) { return number(Format::i4, static_cast<std::uint32_t>(value)); }
Item Item::i8(std::int64_t value) { return number(Format::i8, static_cast<std::uint64_t>(value)); }
Item Item::u1(std::uint8_t value) { return number(Format::u1, value); }
Item Item::u2(std::uint16_t value) { return number(Format::u2, value); }
Item Item::u4(std::uint32_t value) { return number(Format::u4, value); }
Item Item::u8(std::uint64_t value) { return number(Format::u8, value); }
Item Item::f4(float value) { return number(Format::f4, std::bit_cast<std::uint32_t>(value)); }
Item Item::f8(double value) { return number(Format::f8, std::bit_cast<std::uint64_t>(value)); }

Item Item::signed_array(Format format, std::span<const std::int64_t> values) {
    if (!is_signed_integer(format)) throw std::invalid_argument("signed_array needs an I format");
    std::string data;
    for (std::int64_t v : values)
        put_big_endian(data, static_cast<std::uint64_t>(v), element_size(format));
    return with_data(format, std::move(data));
}

Item Item::unsigned_array(Format format, std::span<const std::uint64_t> values) {
    if (!holds_unsigned(format))
        throw std::invalid_argument("unsigned_array needs a U, B or BOOLEAN format");
    std::string data;
    for (std::uint64_t v : values) put_big_endian(data, v, element_size(format));
    return with_data(format, std::move(data));
}

Item Item::float_array(Format format, std::span<const double> values) {
    if (!is_float(format)) throw std::invalid_argument("float_array needs an F format");
    std::string data;
    for (double v : values) {
        if (format == Format::f4)
            put_big_endian(data, std::bit_cast<std::uint32_t>(static_cast<float>(v)), 4);
        else
            put_big_endian(data, std::bit_cast<std::uint64_t>(v), 8);
    }
    return with_data(format, std::move(data));
}

Item Item::number(Format format, std::uint64_t bits) {
    std::string data;
    put_big_endian(data, bits, element_size(format));
    return with_data(format, std::move(data));
}

std::size_t Item::size() const {
    return is_list() ? items_.size() : data_.size() / element_size(format_);
}

std::optional<std::uint64_t> Item::as_u64(std::size_t i) const {
    if (i >= size()) return std::nullopt;
    std::size_t n = element_size(format_);
    std::uint64_t bits = get_big_endian(data_, i * n, n);
    if (holds_unsigned(format_)) return bits;
    if (!is_signed_integer(format_)) return std::nullopt;
    std::int64_t value = sign_extend(bits, n);
    if (value < 0) return std::nullopt;
    return static_cast<std::uint64_t>(value);
}

std::optional<std::int64_t> Item::as_i64(std::size_t i) const {
    if (i >= size()) return std::nullopt;
    std::size_t n = element_size(format_);
    std::uint64_t bits = get_big_endian(data_, i * n, n);
    if (is_signed_integer(format_)) return sign_extend(bits, n);
    if (!holds_unsigned(format_) || bits > static_cast<std::uint64_t>(INT64_MAX))
        return std::nullopt;
    return static_cast<std::int64_t>(bits);
}

std::optional<double> Item::as_double(std::size_t i) const {
    if (i >= size()) return std::nullopt;
    std::size_t n = element_size(format_);
    std::uint64_t bits = get_big_endian(data_, i * n, n);
    if (format_ == Format::f4) return std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    if (format_ == Format::f8) return std::bit_cast<double>(bits);
    if (is_signed_integer(format_)) return static_cast<double>(sign_extend(bits, n));
    if (holds_unsigned(format_)) return static_cast<double>(bits);
    return std::nullopt;
}

bool fits(Format format, std::int64_t value) {
    if (value < 0) {
        if (!is_signed_integer(format)) return false;
        std::size_t bits = 8 * element_size(format);
        return bits == 64 || value >= -(std::int64_t{1} << (bits - 1));
    }
    return fits_unsigned(format, static_cast<std::uint64_t>(value));
}

bool fits_unsigned(Format format, std::uint64_t value) {
    std::size_t bits = 8 * element_size(format);
    if (is_signed_integer(format))
        bits -= 1;
    else if (!holds_unsigned(format))
        return false;
    return bits == 64 || value < (std::uint64_t{1} << bits);
}

}  // namespace zor::secs
