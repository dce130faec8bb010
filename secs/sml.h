#pragma once
// SML, the text form of SECS-II items and messages used in logs:
//   S1F4 W <L[2] <U4 1001> <A "x">>
// on one line. Lists give their count (<L[0]> when empty), numeric items
// their elements separated by blanks (<U4 1 2 3>, <U4> when empty). A and J
// texts are Shift-JIS on the wire and shown in UTF-8 between double quotes
// (<A ""> when empty); '"'
// and '\' are escaped with '\', a control byte, 0x7F or a byte that is no
// Shift-JIS character as \xNN (two hex digits). B elements are 0xNN,
// BOOLEAN elements TRUE/FALSE (any other byte 0xNN), floats the shortest
// text that reads back to the same value.

#include <cstddef>
#include <string>
#include <string_view>

#include "secs/item.h"
#include "secs/message.h"

namespace zor::secs {

std::string to_sml(const Item& item);
// Appends the item's SML to `out` (a log can reuse one buffer for every
// entry).
void append_sml(std::string& out, const Item& item);
// "SxFy", " W" when the W-bit is set, then " " and the body when there is one.
std::string to_sml(const Message& message);

// Reads what to_sml writes, and a little more: blanks, tabs and line ends
// anywhere between tokens, list counts optional (<L a b> as <L[2] a b>),
// integers in decimal or 0x hex, TRUE/FALSE/T/F or
// numbers in BOOLEAN, several quoted parts and 0xNN bytes in one text
// (<A "ab" 0x0D "c">), an optional trailing '.' after a message. Texts are
// read as UTF-8 and stored as Shift-JIS. `error` is empty on success;
// otherwise it says what is wrong and at which byte, and the result is
// meaningless.
struct SmlItem {
    Item item;
    std::string error;
};
SmlItem parse_sml_item(std::string_view text);

struct SmlMessage {
    Message message;  // device ID and system bytes 0
    std::string error;
};
SmlMessage parse_sml_message(std::string_view text);

}  // namespace zor::secs
