#include "inspect/value_reading.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "textscan/item_formats.h"
#include "textscan/numbers.h"
#include "zoredit/values.h"

namespace zor::inspect {
namespace {

constexpr int kFormatBinary = 8;

std::string_view trimmed(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

bool digits(std::string_view t, int base) {
    if (t.empty()) return false;
    for (char c : t) {
        bool ok = base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) : c >= '0' && c <= '9';
        if (!ok) return false;
    }
    return true;
}

// The magnitude of an integer text, saturated above 2^64; false when the
// text is no integer of the language.
bool integer_of(std::string_view t, bool& negative, long double& magnitude, bool& hex) {
    negative = false;
    hex = false;
    if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        t.remove_prefix(2), hex = true;
    } else if (!t.empty() && (t[0] == 'x' || t[0] == 'X')) {
        t.remove_prefix(1), hex = true;
    } else if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (!digits(t, hex ? 16 : 10)) return false;
    magnitude = 0;
    for (char c : t) {
        int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        magnitude = std::min(magnitude * (hex ? 16 : 10) + d, 0x1p70L);
    }
    return true;
}

bool float_text(std::string_view t) {
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) t.remove_prefix(1);
    size_t exponent = t.find_first_of("eE");
    std::string_view mantissa = t.substr(0, exponent);
    size_t point = mantissa.find('.');
    std::string_view whole = mantissa.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    if (whole.empty() && fraction.empty()) return false;
    if ((!whole.empty() && !digits(whole, 10)) || (!fraction.empty() && !digits(fraction, 10)))
        return false;
    if (exponent == std::string_view::npos) return true;
    std::string_view power = t.substr(exponent + 1);
    if (!power.empty() && (power[0] == '+' || power[0] == '-')) power.remove_prefix(1);
    return digits(power, 10);
}

bool folds_to(std::string_view t, std::string_view word) {
    if (t.size() != word.size()) return false;
    for (size_t i = 0; i < t.size(); ++i)
        if ((t[i] & ~0x20) != word[i]) return false;
    return true;
}

// The equipment's reading: zoredit's, which the compiler shares.
std::string equipment_reading(int format, std::string_view text) {
    if (format == kFormatBinary) return std::to_string(textscan::integer_value(text) & 0xff);
    edit::ValueKey bytes = edit::value_key_from_text(format, std::string(text));
    return bytes ? edit::value_text(format, bytes->data()) : std::string();
}

}  // namespace

bool is_numeric_format(int format) {
    const textscan::ItemFormat* f = textscan::find_format(format);
    return f && format != textscan::kFormatList && format != textscan::kFormatAscii &&
           format != textscan::kFormatJis && format != textscan::kFormatListEnd;
}

ValueReading read_value(int format, std::string_view text) {
    ValueReading r;
    r.reads = equipment_reading(format, text);
    r.value = std::strtold(r.reads.c_str(), nullptr);
    std::string_view t = trimmed(text);
    if (format == textscan::kFormatF4 || format == textscan::kFormatF8) {
        if (!float_text(t)) {
            r.fault = ValueFault::NotANumber;
            return r;
        }
        long double v = std::strtold(std::string(t).c_str(), nullptr);
        long double max = format == textscan::kFormatF4 ? FLT_MAX : DBL_MAX;
        if (!std::isfinite(v) || std::fabs(v) > max)
            r.fault = ValueFault::DoesNotFit;
        else
            r.value = v;
        return r;
    }
    if (format == textscan::kFormatBoolean && (folds_to(t, "TRUE") || folds_to(t, "FALSE"))) {
        r.value = folds_to(t, "TRUE") ? 1 : 0;
        return r;
    }
    bool negative = false, hex = false;
    long double magnitude = 0;
    if (!integer_of(t, negative, magnitude, hex)) {
        r.fault = ValueFault::NotANumber;
        return r;
    }
    const textscan::ItemFormat* f = textscan::find_format(format);
    int bits = 8 * (f ? f->unit : 1);
    bool is_signed = f && f->is_signed && !hex;
    long double high = std::ldexp(1.0L, is_signed ? bits - 1 : bits) - 1;
    long double low = is_signed ? -std::ldexp(1.0L, bits - 1) : 0;
    long double v = negative ? -magnitude : magnitude;
    if (v < low || v > high)
        r.fault = ValueFault::DoesNotFit;
    else if (!hex)
        r.value = v;
    return r;
}

}  // namespace zor::inspect
