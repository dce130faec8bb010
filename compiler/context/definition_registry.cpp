#include "compiler/context/definition_registry.h"

namespace zor::compiler {

bool DefinitionRegistry::add_id(const DefinitionKey& key) {
    ++ids_checked_;
    if (key.is_text) return texts_.insert(fold_case(key.text)).second;
    return numbers_.insert(key.number).second;
}

bool DefinitionRegistry::add_name(const std::string& name) {
    return names_.insert(fold_case(name)).second;
}

}  // namespace zor::compiler
