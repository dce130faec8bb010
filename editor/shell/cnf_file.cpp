#include "editor/shell/cnf_file.h"

#include <QFileInfo>
#include <algorithm>

#include "editor/shell/sjis.h"
#include "editor/shell/string_grid.h"
#include "editor/shell/whole_file.h"

namespace zor::editor {

namespace {

constexpr int kKeyWidth = 16;

// Blanks and control characters, as the value cells are trimmed; a
// full-width blank is part of the value.
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] <= u' ') ++first;
    while (last > first && text[last - 1] <= u' ') --last;
    return text.mid(first, last - first);
}

}  // namespace

QByteArray cnfText(const QString& path, const StringGrid& grid) {
    QString text = QStringLiteral("//----- ") + QFileInfo(path).fileName() +
                   QStringLiteral(" - 装置環境定義ファイル -----------------------\r\n\r\n");
    const int lastRow = std::min(kCnfMaxRows, grid.rowCount() - 1);
    for (int row = 1; row <= lastRow; ++row) {
        QString key = trimBlanks(grid.cell(1, row));
        if (key.isEmpty()) break;
        text += grid.cell(1, row).leftJustified(kKeyWidth, u' ') + QStringLiteral(" = ") +
                trimBlanks(grid.cell(2, row)) + QStringLiteral("\r\n");
    }
    return toSjis(text);
}

void writeCnfFile(const QString& path, const StringGrid& grid) {
    writeWholeFile(path, cnfText(path, grid));
}

}  // namespace zor::editor
