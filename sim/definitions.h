#pragma once
// The one place the simulator reads the definitions: the object file read as
// ZorInspect reads it (one snapshot, links by name), turned into the
// simulator's model.

#include <string>

#include "sim/model.h"

namespace zor::sim {

// Reads `fil` into `out`, resolving every link by name (a name that names no
// definition is left out) and giving the status variables the GEM profile
// names their live role. False with the reader's reason on a damaged file.
bool load_definitions(const std::string& fil, Model& out, std::string& error);

}  // namespace zor::sim
