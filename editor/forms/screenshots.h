#pragma once
// The screenshot mode of ZorGemSet: shows each window in turn and writes a
// PNG of it, for documentation and for a look at the Japanese texts.

#include <QString>

namespace zor::editor {

// Writes "NN_<objectName>.png" for every window into `dir` (a relative one
// taken from the current directory at the call). When `cnf` and
// `fil` are given, the equipment is bound first so the lists show it.
// Nothing waits for the user: modal requests are answered by a script.
// Returns the number of files written.
int takeScreenshots(const QString& dir, const QString& cnf = {}, const QString& fil = {});

}  // namespace zor::editor
