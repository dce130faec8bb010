#pragma once
// The names the link grids show beside linked IDs, looked up as zoredit
// resolves the links when it writes them: reports by RPID; report variables
// EC, then SV, then DVVAL; trace variables SV first, then EC, then DVVAL.

#include <QString>
#include <cstdint>

namespace zor::editor {

// The report's name, "" when no report has the ID.
QString reportLinkName(int32_t rpid);

// The name of the variable a report links to, "" when none. A VID that more
// than one kind defines shows the kind it resolves to: "SV_Temp (EC)".
QString variableLinkName(int32_t vid);
// The same for a trace, which resolves status variables first.
QString statusVariableLinkName(int32_t vid);

}  // namespace zor::editor
