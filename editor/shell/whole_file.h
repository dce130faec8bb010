#pragma once
// Every file the editor writes (environment files, history files, the
// meeting files) is replaced whole: the old content stays until the new one
// is complete, the file keeps its mode, and a symbolic link at the path is
// written through (platform::ReplacingFile).

#include <QByteArray>
#include <QString>

namespace zor::editor {

// The input/output message for a file and an errno value from the platform's
// file functions: "入出力エラー: path (cause)".
QString fileErrorMessage(const QString& path, int error);

// Replaces the content of `path` by `bytes`. Throws ActionError with the
// input/output message when the file cannot be written; it is as it was then.
void writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace zor::editor
