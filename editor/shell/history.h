#pragma once
// Recently used file lists ("eq_conf.his", "eq_var.his"): Shift-JIS text,
// one item per line, CR LF, most recent first, at most 16 lines.

#include <QString>
#include <QStringList>

namespace zor::editor {

inline constexpr int kHistoryMax = 16;

// Replaces `list` by the first maxCount lines of the file (none when the file
// does not exist); returns the number of lines read.
int ReadHistory(int maxCount, const QString& fileName, QStringList& list);
// Puts `entry` first, keeps the older non-blank lines that differ from it
// (exact comparison) in their order, cuts to min(maxCount, 16) lines and
// rewrites the file. Returns the number of lines written. An empty entry is
// written as a blank first line, which the next call drops.
int AddHistory(int maxCount, const QString& fileName, const QString& entry);

// Writes lines as Shift-JIS with CR LF line ends, replacing the file whole
// (writeWholeFile); throws ActionError when the file cannot be written.
void writeTextLines(const QString& fileName, const QStringList& lines);
// The lines of a Shift-JIS text file without their line ends; an empty list
// when the file does not exist; throws ActionError when it cannot be read.
QStringList readTextLines(const QString& fileName, int maxCount = -1);

}  // namespace zor::editor
