#pragma once
// One definition block being compiled. The shared reading loop hands each
// item line to the block; at the closing brace the block writes its ID
// lines, names its key for the duplicate checks and builds its record.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compiler/blocks/item_keys.h"
#include "compiler/context/compilation.h"
#include "compiler/output/object_record.h"
#include "textscan/language_limits.h"
#include "textscan/numbers.h"

namespace zor::compiler {

// An item line split into fields: key, ':', then the value fields.
using Fields = std::vector<std::string>;

class Block {
  public:
    explicit Block(std::string name) : name_(std::move(name)) {}
    virtual ~Block() = default;

    const std::string& name() const { return name_; }

    // False when the block does not accept the key or rejects the value;
    // the caller then reports the line and the block fails.
    virtual bool item(Compilation& c, ItemKey key, const Fields& fields) = 0;
    // The constants for the ID files and, for numeric IDs, the list line.
    virtual void write_ids(IdFiles& files) const = 0;
    virtual DefinitionKey key() const = 0;
    // The refusal text when the record cannot be made complete.
    virtual const char* refusal() const = 0;
    virtual ObjectRecord record(Compilation& c) const = 0;

  private:
    std::string name_;
};

using textscan::kMaxListEntries;

// Appends to a list of a record unless it is full; a full list is a counted
// block error that names the limit, and the item still counts as read.
template <typename T>
void append_limited(Compilation& c, std::vector<T>& list, T entry, const char* what) {
    if (list.size() >= kMaxListEntries) {
        c.report_block_error(std::string(" ") + what + " : more than 256 entries ");
        ++c.error_count;
        return;
    }
    list.push_back(std::move(entry));
}

// Sets an item that may be given once; false when it was given before.
inline bool set_once(std::optional<std::string>& item, const std::string& value) {
    if (item) return false;
    item = value;
    return true;
}

using textscan::decimal_value;

}  // namespace zor::compiler
