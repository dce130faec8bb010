#pragma once
// After a compile that ended with result 0, the check of the definitions
// zoredit holds goes into the session's log memo: "--- check: 2 errors,
// 3 warnings ---", then one line per finding. It only reads: nothing loaded
// or saved changes, and no window opens.

#include <QString>

class QPlainTextEdit;

namespace zor::editor {

// `sourcePath` (may be empty) gives findings their line and names links
// that name nothing; `objectPath` names the findings without a line.
void appendCheckLog(QPlainTextEdit* memo, const QString& sourcePath, const QString& objectPath);

}  // namespace zor::editor
