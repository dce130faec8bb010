#pragma once
// A value text of the object file (a minimum, a nominal, a limit bound, a
// limit ID, an alarm code) read twice: strictly, as a number of its format,
// and as the equipment reads it, which takes any text and makes a number of
// it. The two disagree exactly when the text is not what its writer meant.

#include <string>
#include <string_view>

namespace zor::inspect {

enum class ValueFault { None, NotANumber, DoesNotFit };

struct ValueReading {
    ValueFault fault = ValueFault::None;
    std::string reads;      // the value the equipment reads, in decimal
    long double value = 0;  // the text's own value when it has no fault, else `reads`
};

// `format` is a numeric SECS-II format code (I1 … U8, F4, F8, BOOLEAN, B).
// Integers: decimal with an optional sign, or hexadecimal after 0x or x;
// F4/F8: decimal with an optional fraction and exponent ("1e-3", "2.0E2");
// BOOLEAN: TRUE, FALSE (any case) or an integer 0..255. Blanks around are
// ignored.
ValueReading read_value(int format, std::string_view text);

// Whether values of `format` are numbers the check can read.
bool is_numeric_format(int format);

}  // namespace zor::inspect
