#pragma once
// The export as JSON: every definition of every kind with every field the
// object file holds, in the documented layout of inspect/export-schema.json
// ("schema": 1). Keys come in a fixed order; texts are UTF-8.

#include <ostream>
#include <string>

#include "inspect/definition_fields.h"
#include "inspect/json_writer.h"
#include "inspect/utf8_text.h"

namespace zor::inspect {

inline constexpr int kExportSchema = 1;

void export_json(const DefinitionFields& defs, const std::string& file, std::ostream& out);

// One definition's fields as the members of the open JSON object: the
// export's layout, which the diff's reports share.
void write_fields(JsonWriter& json, const std::vector<Field>& fields, Utf8Converter& utf8);

}  // namespace zor::inspect
