#pragma once
// After a compile that ended with result 0, the check of the object file
// the compile wrote goes into the session's log memo: "--- check: 2 errors,
// 3 warnings ---", then one line per finding. It only reads: nothing loaded
// or saved changes, and no window opens.

#include <QString>

class QPlainTextEdit;

namespace zor::editor {

// `objectPath` is the object file checked, and names the findings without a
// line; `sourcePath` (may be empty) gives findings their line.
void appendCheckLog(QPlainTextEdit* memo, const QString& sourcePath, const QString& objectPath);

}  // namespace zor::editor
