#pragma once
// What changed between two object files, definition by definition: matched
// by kind and ID (a spool by its stream), each change one line, sorted by
// kind, then ID, then the order of the fields.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "inspect/definition_fields.h"

namespace zor::inspect {

enum class ChangeType { Added, Removed, Renamed, Changed, Linked, Unlinked };

struct Change {
    Kind kind = Kind::EC;
    std::string id;    // as shown: decimal, the text ID, the stream
    std::string name;  // the new name; the old one for a removed definition
    ChangeType type = ChangeType::Changed;
    std::string field;  // "max", "report"; "name" for a rename; empty when added or removed
    // Changed: the values (none when the file leaves the field out); renamed:
    // the names; linked: `now` is the link; unlinked: `old` is.
    std::optional<std::string> old, now;
};

// Texts in Shift-JIS, as the object files hold them.
std::vector<Change> diff(const DefinitionFields& old, const DefinitionFields& now);

// "SV 2003 SV_CHAMBER_TEMP: max 500 → 450" (Shift-JIS, the arrow too).
std::string change_line(const Change& c);

// The changes as JSON ("schema": 1, inspect/diff-schema.json), UTF-8.
void diff_json(const std::vector<Change>& changes, const std::string& old_file,
               const std::string& new_file, std::ostream& out);

}  // namespace zor::inspect
