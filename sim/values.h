#pragma once
// Values as SECS-II items: a definition's value texts in its own format, the
// IDs of the wire, and the host's values checked against a constant.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "secs/item.h"
#include "sim/model.h"

namespace zor::sim {

// An ID as the equipment sends it.
inline secs::Item id_item(uint32_t id) { return secs::Item::u4(id); }
// An ID from the host: any integer item of one element that is 0..2^32-1.
std::optional<uint32_t> id_of(const secs::Item& item);

// The item of `format` for value texts: one element per text for numbers
// (0x hex accepted for integers, TRUE/FALSE for BOOLEAN), the text's bytes
// for A and J, and the texts' bytes for B when given as numbers. Nothing
// when a text is no number of the format or out of its range, or the
// format is L or unknown.
std::optional<secs::Item> item_of(int format, const std::vector<std::string>& texts);
// The format's zero: one element (`count` for a fixed array), or an empty
// text.
secs::Item zero_item(int format, int32_t count);
// A variable's starting value: its nominal (repeated to a fixed array's
// size), else its format's zero. Lists are made by the caller.
secs::Item initial_value(const Variable& v);
// A typed text of the definitions as its item; an empty item of the format
// when the text does not convert.
secs::Item typed_item(const TypedText& t);

// Why a host's value is refused for a constant.
enum class ValueFault { none, wrong_format, out_of_range };
// The host's value converted to the constant's format and checked against
// its min..max (numbers) or its maximum size (texts). Any integer format is
// taken for an integer constant when the value fits, any float format for a
// float one.
ValueFault accept_value(const Variable& constant, const secs::Item& given, secs::Item& out);

// A trace's sampling period DSPER, hhmmss or hhmmsscc; nothing for another
// form or a zero period.
std::optional<std::chrono::milliseconds> trace_period(std::string_view text);

}  // namespace zor::sim
