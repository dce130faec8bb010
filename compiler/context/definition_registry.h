#pragma once
// The IDs and names already defined for one kind, for the duplicate checks.
// Hashed, so a maximum-size equipment costs linear time.

#include <cstdint>
#include <string>
#include <unordered_set>

#include "textscan/fold_case.h"
#include "textscan/language_limits.h"

namespace zor::compiler {

// A definition's identity: a numeric ID, or a text ID compared
// case-insensitively (the spool stream number counts as numeric).
struct DefinitionKey {
    bool is_text = false;
    int32_t number = -1;
    std::string text;
};

class DefinitionRegistry {
  public:
    static constexpr size_t kMaxDefinitions = textscan::kMaxDefinitions;

    DefinitionRegistry() {
        numbers_.reserve(kMaxDefinitions);
        names_.reserve(kMaxDefinitions);
    }

    bool full() const { return ids_checked_ >= kMaxDefinitions; }
    // Records the key; true when no earlier block of the kind had it.
    bool add_id(const DefinitionKey& key);
    // Records the name; true when no earlier block of the kind had it.
    bool add_name(const std::string& name);

  private:
    size_t ids_checked_ = 0;
    std::unordered_set<int32_t> numbers_;
    std::unordered_set<std::string> texts_;
    std::unordered_set<std::string> names_;
};

using textscan::fold_case;

}  // namespace zor::compiler
