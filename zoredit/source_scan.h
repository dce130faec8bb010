#pragma once
// Reads a definition source the way ZorCompile reads it (its line reading,
// its main loop, its body reading and its field splitter) and says where each
// compiled block stands, with what the compiler takes from each item line.
// Two blocks whose items mean the same compile to the same definition.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zoredit/model.h"

namespace zor::edit {

// What the compiler takes from one item line: the key and the values it
// reads, normalised (numbers by value, format names by code), and the class
// of items whose order among each other changes what the block becomes.
struct ItemMeaning {
    int order_class = 0;
    std::string text;
    // What a variable block's list handling reads: the format code of a
    // `format` item, the value of `nominal` and `vid`.
    std::string key;
    int code = -1;
    std::string value;
    bool operator==(const ItemMeaning&) const = default;
};

// `fields`: an item line split as the compiler splits it (key, ":", values).
ItemMeaning item_meaning(const std::vector<std::string>& fields);
ItemMeaning item_meaning(const std::vector<std::string_view>& fields);

// Equal when two blocks of `kind` compiled in `revision` give the same
// definition: the same meanings, in the same order within each order class;
// a variable's element names count as the list the block keeps. False as
// well when a line of either would be a counted error.
bool same_items(Kind kind, int revision, const std::vector<ItemMeaning>& a,
                const std::vector<ItemMeaning>& b);

// False when a line of a block of `kind` with these items would be a counted
// error in `revision` (a variable's refused format or element name).
bool items_accepted(Kind kind, int revision, const std::vector<ItemMeaning>& items);

// The fields the compiler splits a body line into (line end included, as in
// the file), enclosing quotes removed; empty for a line without an item.
void item_fields(std::string_view line, std::vector<std::string>& fields);

// A body line (line end included) reduced to what the compiler's splitter
// reads from it: the line end and the blanks around the text gone, each run
// of blanks and tabs outside quotes one blank, a "//" comment outside quotes
// cut. Lines with the same reduced text split into the same fields. False
// (`out` unspecified) when the line holds what only the splitter can tell
// (a CR or NUL inside, an escape running into the line end).
bool reduced_item_line(std::string_view line, std::string& out);

// Does the line reduce to `text`? As reduced_item_line and a comparison,
// stopping at the first difference.
bool reduces_to(std::string_view line, std::string_view text);

// The fields item_fields gives for a line that reduces to `reduced`, as
// views into it, without the compiler's splitter. False when only the
// splitter can tell (a sign in front of a field, an open quote, more fields
// than it takes); item_fields then splits the line.
bool reduced_fields(std::string_view reduced, std::vector<std::string_view>& fields);

struct ScannedBlock {
    Kind kind = Kind::EC;
    std::string name;
    size_t lead = 0;    // first of the comment lines directly above the header
    size_t header = 0;  // line indexes
    size_t close = 0;
    int revision = 2;    // in force while the block is compiled
    int32_t stream = 0;  // spools: the last stream number as written (scan_items)
};

// What scan_items reads from a block's body.
struct BlockItems {
    std::vector<size_t> lines;  // indexes of the item lines
    std::vector<ItemMeaning> meanings;
};

struct ScannedSource {
    // [begin, end) of each physical line in the text, line end included.
    // Offsets of 32 bits keep the table of a large source small.
    std::vector<std::pair<uint32_t, uint32_t>> lines;
    std::vector<ScannedBlock> blocks;
    bool crlf = true;      // the text's first line end is CR LF (or it has none)
    int end_revision = 2;  // in force at the end of the text

    // Line `i` of `text` (the text it was scanned from), line end included.
    std::string_view line(std::string_view text, size_t i) const {
        return text.substr(lines[i].first, lines[i].second - lines[i].first);
    }
};

// The fields of a line between blocks (line end included, as in the file),
// as the compiler's main loop splits it.
void header_fields(std::string_view line, std::vector<std::string>& fields);

// Scans the lines and blocks of `text`, starting in `revision`. False when
// the compiler would read it as something else than whole lines and blocks:
// a NUL byte, a line of more than 4095 bytes, a block without its closing
// brace, an unknown block keyword or def_msgfunc; false as well for a text
// of 4 GB or more.
bool scan_source(std::string_view text, int revision, ScannedSource& out);

// Reads the items of block `b` of `s` (scanned from `text`) into `out` and
// the spool stream into `b`. False when a line of its body is no item (a
// counted error).
bool scan_items(std::string_view text, const ScannedSource& s, ScannedBlock& b, BlockItems& out);

}  // namespace zor::edit
