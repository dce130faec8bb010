#pragma once
// The equipment's GEM reference: the tables host integrators program
// against (variables, events with their reports and each report's
// variables, reports, alarms, programs, recipes, spooling, traces), written
// definition by definition through a DocumentWriter.

#include <string>

#include "inspect/definition_fields.h"
#include "inspect/document_writer.h"

namespace zor::inspect {

void write_reference(const DefinitionFields& defs, const std::string& file, DocumentWriter& out);

}  // namespace zor::inspect
