#pragma once
// Findings as people and scripts read them.

#include <string>
#include <vector>

#include "inspect/check.h"

namespace zor::inspect {

// "FILE:LINE: error E101: CE 5001 CE_X: report RP_Y is not defined" with the
// source path when the finding has a line, else "FIL: error E101: …".
std::string finding_line(const Finding& f, const std::string& fil, const std::string& source);
// The part after the place: "error E101: CE 5001 CE_X: report RP_Y is not defined".
std::string finding_body(const Finding& f);

// A JSON array, one object per finding with the keys code, severity
// ("error" or "warning"), kind, id, name, text and line (null when
// unknown), in that order. UTF-8, as JSON is: texts are converted from
// Shift-JIS.
std::string findings_json(const std::vector<Finding>& findings);

}  // namespace zor::inspect
