#pragma once
// The export as CSV: one file per kind ("ec.csv", "sv.csv", "dvval.csv", …)
// in a directory, UTF-8 with a byte order mark so spreadsheet programs read
// Japanese text right, quoted as RFC 4180 says, CR LF after each record. A
// list (links, limits, command codes) is one cell, an entry per line, and
// also a table of its own ("ce_reports.csv", "variable_limits.csv", …): one
// row per entry with the definition's ID and the entry's position.

#include <string>
#include <string_view>

#include "inspect/definition_fields.h"

namespace zor::inspect {

// Creates `directory` when needed. False with the reason when a file cannot
// be written.
bool export_csv(const DefinitionFields& defs, const std::string& directory, std::string& error);

// One cell: quoted when it holds a comma, a quote, CR or LF, quotes doubled.
std::string csv_field(std::string_view text);

}  // namespace zor::inspect
