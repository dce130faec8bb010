#include "sim/values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace zor::sim {
namespace {

using secs::Format;
using secs::Item;

std::string_view trimmed(std::string_view t) {
    size_t a = t.find_first_not_of(" \t");
    if (a == std::string_view::npos) return {};
    size_t b = t.find_last_not_of(" \t");
    return t.substr(a, b - a + 1);
}

// Decimal, or hexadecimal after 0x; an optional '+'.
std::optional<uint64_t> unsigned_of(std::string_view t) {
    t = trimmed(t);
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    int base = 10;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        t.remove_prefix(2);
        base = 16;
    }
    uint64_t v = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, base);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return v;
}

std::optional<int64_t> signed_of(std::string_view t) {
    t = trimmed(t);
    bool negative = !t.empty() && t[0] == '-';
    auto v = unsigned_of(negative ? t.substr(1) : t);
    if (!v || (negative && !t.substr(1).empty() && t[1] == '+')) return std::nullopt;
    if (negative) {
        if (*v > uint64_t(std::numeric_limits<int64_t>::max()) + 1) return std::nullopt;
        return static_cast<int64_t>(0 - *v);
    }
    if (*v > uint64_t(std::numeric_limits<int64_t>::max())) return std::nullopt;
    return static_cast<int64_t>(*v);
}

std::optional<double> double_of(std::string_view t) {
    std::string s(trimmed(t));
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<uint64_t> boolean_of(std::string_view t) {
    t = trimmed(t);
    if (t == "TRUE" || t == "true" || t == "T") return 1;
    if (t == "FALSE" || t == "false" || t == "F") return 0;
    auto v = unsigned_of(t);
    if (v && *v > 0xFF) return std::nullopt;
    return v;
}

bool is_integer(Format f) { return secs::is_signed_integer(f) || secs::is_unsigned_integer(f); }

// A number of a format checked against the variable's min..max texts.
bool in_range(const Variable& v, double value) {
    if (v.min)
        if (auto m = double_of(*v.min); m && value < *m) return false;
    if (v.max)
        if (auto m = double_of(*v.max); m && value > *m) return false;
    return true;
}

}  // namespace

std::optional<uint32_t> id_of(const Item& item) {
    if (item.size() != 1 || !is_integer(item.format())) return std::nullopt;
    auto v = item.as_u64();
    if (!v || *v > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    return static_cast<uint32_t>(*v);
}

std::optional<Item> item_of(int code, const std::vector<std::string>& texts) {
    auto format = secs::format_from_code(code);
    if (!format || *format == Format::list) return std::nullopt;
    Format f = *format;
    if (secs::is_text(f)) {
        std::string joined;
        for (size_t i = 0; i < texts.size(); ++i) joined += (i ? " " : "") + texts[i];
        return f == Format::ascii ? Item::ascii(joined) : Item::jis(joined);
    }
    if (f == Format::binary || f == Format::boolean) {
        std::vector<uint64_t> values;
        for (const auto& t : texts) {
            auto v = f == Format::boolean ? boolean_of(t) : unsigned_of(t);
            if (!v || *v > 0xFF) return std::nullopt;
            values.push_back(*v);
        }
        return Item::unsigned_array(f, values);
    }
    if (secs::is_float(f)) {
        std::vector<double> values;
        for (const auto& t : texts) {
            auto v = double_of(t);
            if (!v) return std::nullopt;
            if (f == Format::f4 && std::fabs(*v) > std::numeric_limits<float>::max())
                return std::nullopt;
            values.push_back(*v);
        }
        return Item::float_array(f, values);
    }
    if (secs::is_signed_integer(f)) {
        std::vector<int64_t> values;
        for (const auto& t : texts) {
            auto v = signed_of(t);
            if (!v || !secs::fits(f, *v)) return std::nullopt;
            values.push_back(*v);
        }
        return Item::signed_array(f, values);
    }
    std::vector<uint64_t> values;
    for (const auto& t : texts) {
        auto v = unsigned_of(t);
        if (!v || !secs::fits_unsigned(f, *v)) return std::nullopt;
        values.push_back(*v);
    }
    return Item::unsigned_array(f, values);
}

Item zero_item(int code, int32_t count) {
    auto format = secs::format_from_code(code);
    if (!format) return Item::empty(Format::ascii);
    if (*format == Format::list || secs::is_text(*format)) return Item::empty(*format);
    std::vector<std::string> zeros(static_cast<size_t>(std::max(count, 1)), "0");
    return item_of(code, zeros).value_or(Item::empty(*format));
}

Item initial_value(const Variable& v) {
    auto format = secs::format_from_code(v.format);
    bool text = format && secs::is_text(*format);
    // An array starts with its (least) size of elements.
    int32_t count = text ? 1 : std::max(v.size, int32_t{1});
    if (v.nominal) {
        std::vector<std::string> texts(static_cast<size_t>(text ? 1 : count), *v.nominal);
        if (auto item = item_of(v.format, texts)) return *item;
    }
    return zero_item(v.format, count);
}

Item typed_item(const TypedText& t) {
    auto format = secs::format_from_code(t.format);
    if (!format) return Item::empty(Format::ascii);
    if (secs::is_text(*format)) return *item_of(t.format, {t.text});
    // Numbers of a parameter are written separated by blanks or commas.
    std::vector<std::string> texts;
    size_t start = 0;
    while (start < t.text.size()) {
        size_t end = t.text.find_first_of(" ,", start);
        if (end == std::string::npos) end = t.text.size();
        if (end > start) texts.push_back(t.text.substr(start, end - start));
        start = end + 1;
    }
    return item_of(t.format, texts).value_or(Item::empty(*format));
}

ValueFault accept_value(const Variable& c, const Item& given, Item& out) {
    auto target = secs::format_from_code(c.format);
    if (!target || *target == Format::list || given.is_list()) return ValueFault::wrong_format;
    Format t = *target, g = given.format();
    if (secs::is_text(t)) {
        if (!secs::is_text(g)) return ValueFault::wrong_format;
        std::string bytes(given.data());
        int32_t most = c.max_size > 0 ? c.max_size : c.size;
        if (most > 0 && bytes.size() > static_cast<size_t>(most)) return ValueFault::out_of_range;
        out = t == Format::ascii ? Item::ascii(bytes) : Item::jis(bytes);
        return ValueFault::none;
    }
    size_t n = given.size();
    size_t most = static_cast<size_t>(std::max({c.size, c.max_size, int32_t{1}}));
    if (n == 0 || n > most) return ValueFault::wrong_format;
    if (secs::is_float(t)) {
        if (!secs::is_float(g)) return ValueFault::wrong_format;
        std::vector<double> values;
        for (size_t i = 0; i < n; ++i) {
            double v = *given.as_double(i);
            if (!std::isfinite(v) ||
                (t == Format::f4 && std::fabs(v) > std::numeric_limits<float>::max()))
                return ValueFault::wrong_format;
            if (!in_range(c, v)) return ValueFault::out_of_range;
            values.push_back(v);
        }
        out = Item::float_array(t, values);
        return ValueFault::none;
    }
    // Integers, B and BOOLEAN: from any integer item, or one of their own format.
    if (!is_integer(g) && g != t) return ValueFault::wrong_format;
    std::vector<int64_t> signed_values;
    std::vector<uint64_t> unsigned_values;
    for (size_t i = 0; i < n; ++i) {
        auto s = given.as_i64(i);
        auto u = given.as_u64(i);
        bool fits =
            secs::is_signed_integer(t) ? s && secs::fits(t, *s) : u && secs::fits_unsigned(t, *u);
        if (t == Format::boolean) fits = u && *u <= 1;
        if (!fits) return ValueFault::out_of_range;
        if (!in_range(c, s ? static_cast<double>(*s) : static_cast<double>(*u)))
            return ValueFault::out_of_range;
        if (s) signed_values.push_back(*s);
        if (u) unsigned_values.push_back(*u);
    }
    out = secs::is_signed_integer(t) ? Item::signed_array(t, signed_values)
                                     : Item::unsigned_array(t, unsigned_values);
    return ValueFault::none;
}

std::optional<std::chrono::milliseconds> trace_period(std::string_view text) {
    if ((text.size() != 6 && text.size() != 8) ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    auto two = [&](size_t i) { return (text[i] - '0') * 10 + (text[i + 1] - '0'); };
    if (two(2) > 59 || two(4) > 59) return std::nullopt;
    long ms = ((two(0) * 60L + two(2)) * 60 + two(4)) * 1000 + (text.size() == 8 ? two(6) * 10 : 0);
    if (ms == 0) return std::nullopt;
    return std::chrono::milliseconds(ms);
}

}  // namespace zor::sim
