#pragma once
// A definition of a snapshot as an ordered list of named fields: every field
// the object file holds, texts as written (Shift-JIS), links given as the
// name and the ID it resolves to. The export's formats and the diff all walk
// these fields, so a field added here reaches every one of them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/snapshot.h"

namespace zor::inspect {

struct Field;

// One entry of a repeated group (a limit, a command code, a recipe
// parameter): its own fields, and the one line people read for it.
struct GroupEntry {
    std::vector<Field> fields;
    std::string summary;
};

struct LinkTarget {
    std::string name;
    std::optional<int32_t> id;  // none when the name names no definition
};

// Link: one link or none (an alarm's events); Links: a list of them.
enum class FieldType { Text, Number, Link, Links, Numbers, Entries };

struct Field {
    std::string_view key;  // "max_size": the JSON key and CSV column; "max size" in the diff
    FieldType type = FieldType::Text;
    std::optional<std::string> text;  // Text; none when the file leaves the field out
    std::optional<int64_t> number;    // Number; none for a format code that names no format
    std::vector<LinkTarget> links;    // Link, Links
    std::vector<int64_t> numbers;     // Numbers
    std::vector<GroupEntry> entries;  // Entries
};

// The kind's definitions and what each one's fields are.
struct Definition {
    Kind kind = Kind::EC;
    std::string id;  // as shown: decimal, the text ID as written, a spool's stream
    std::string name;
    std::vector<Field> fields;

    const Field* find(std::string_view key) const;
};

// Builds the fields of a snapshot's definitions, resolving links in the
// snapshot itself. Borrows the snapshot, which must outlive it.
class DefinitionFields {
  public:
    explicit DefinitionFields(const Snapshot& snapshot);

    // The number of definitions of a kind, and one of them in file order.
    size_t count(Kind kind) const { return snapshot_.count(kind); }
    Definition get(Kind kind, size_t index) const;
    // The fields every definition of a kind has, values left out: the
    // columns of a kind's table even when it has no definitions.
    static std::vector<Field> blank(Kind kind);
    const Snapshot& snapshot() const { return snapshot_; }
    const edit::Store& store() const { return snapshot_.store(); }

    // "SV_TEMP (2003)", or "SV_TEMP (not defined)" for a dangling link.
    static std::string link_text(const LinkTarget& link);
    // A field's value on one line, as the diff and the CSV cells show it;
    // "" for a field left out.
    static std::string value_text(const Field& field, std::string_view list_separator);

  private:
    const Snapshot& snapshot_;
};

// A text inside an entry's one-line summary: as written, or in double quotes
// (inner quotes doubled) when it is empty, has blanks around it or holds a
// character the summaries separate with (, ; : = "..", a line end or '"').
std::string summary_text(const std::string& text);

// The kind's word in the export: "ec", "dvval", "spool", … (file names,
// JSON keys).
std::string kind_key(Kind kind);

// The SEMI E5 category of an alarm code's low seven bits.
const char* alarm_category(int code);
// The source name of a format code ("F4", "BO", "A"), or none.
std::optional<std::string> format_name(int32_t code);
// An item's format as the source writes it: "F4" (no size given), "U4[4]",
// "A[1..64]"; "?" for a code that names no format.
std::string format_text(int32_t code, int32_t size, int32_t max_size);
// An item's size as the source writes it: "1", "4", "1..64".
std::string size_text(int32_t size, int32_t max_size);

}  // namespace zor::inspect
