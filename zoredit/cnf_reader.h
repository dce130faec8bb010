#pragma once
// Reads an equipment environment file (.cnf): "KEY = value" lines of key
// set A or B, comment lines ("//", "#", ";"), blank lines; unknown keys and
// lines without '=' are passed over.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "zoredit/zoredit.h"

namespace zor::edit {

// The values as read, by key (upper case); a later line for a key wins.
using CnfValues = std::map<std::string, std::string>;

CnfValues read_cnf(std::string_view data);
bool read_cnf_file(const std::string& path, CnfValues& out, std::string& error);

// Library-owned settings record: texts are allocated here and released by
// clear_settings.
void fill_settings(const CnfValues& values, TEq_Mgr& mgr);
void clear_settings(TEq_Mgr& mgr);

}  // namespace zor::edit
