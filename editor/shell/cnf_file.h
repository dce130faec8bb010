#pragma once
// The equipment environment file as the key grid writes it: Shift-JIS, CR LF,
// a header line naming the file, an empty line, then one "KEY = value" line
// per grid row. zoredit reads it back (GemSetupEquipment).

#include <QByteArray>
#include <QString>

namespace zor::editor {

class StringGrid;

// Rows read from the grid: 1, 2, … up to 50 or the grid's last row, ending
// at the first row whose key (column 1) is blank. Each line is the key
// padded with blanks to 16 characters (a longer key is not cut), " = ", and
// the value (column 2) without its leading and trailing blanks.
inline constexpr int kCnfMaxRows = 50;

// The whole file for `path` (only its name goes into the header line).
// Throws ActionError when a text does not fit Shift-JIS.
QByteArray cnfText(const QString& path, const StringGrid& grid);

// Writes cnfText to `path` with writeWholeFile, so a failed save leaves the
// old file as it was. Throws ActionError with the input/output message on
// failure.
void writeCnfFile(const QString& path, const StringGrid& grid);

}  // namespace zor::editor
