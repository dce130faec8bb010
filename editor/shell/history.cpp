#include "editor/shell/history.h"

#include <QFile>
#include <algorithm>

#include "editor/shell/action.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

namespace {
QString ioErrorMessage(const QString& fileName, const QFile& f) {
    return QStringLiteral("入出力エラー: %1 (%2)").arg(fileName, f.errorString());
}
}  // namespace

QStringList readTextLines(const QString& fileName, int maxCount) {
    QStringList lines;
    QFile f(fileName);
    if (!f.exists()) return lines;
    if (!f.open(QIODevice::ReadOnly)) throw ActionError(ioErrorMessage(fileName, f));
    QByteArray all = f.readAll();
    qsizetype start = 0;
    while (start < all.size() && (maxCount < 0 || lines.size() < maxCount)) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0) end = all.size();
        QByteArray line = all.mid(start, end - start);
        if (line.endsWith('\r')) line.chop(1);
        lines << fromSjis(line);
        start = end + 1;
    }
    return lines;
}

void writeTextLines(const QString& fileName, const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) out += toSjis(line) + "\r\n";
    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(out) != out.size())
        throw ActionError(ioErrorMessage(fileName, f));
}

int ReadHistory(int maxCount, const QString& fileName, QStringList& list) {
    list = readTextLines(fileName, std::max(maxCount, 0));
    return static_cast<int>(list.size());
}

int AddHistory(int maxCount, const QString& fileName, const QString& entry) {
    const int n = std::clamp(maxCount, 0, kHistoryMax);
    QStringList lines{entry};
    for (const QString& old : readTextLines(fileName, n))
        if (!old.trimmed().isEmpty() && old != entry) lines << old;
    if (lines.size() > n) lines = lines.mid(0, n);
    writeTextLines(fileName, lines);
    return static_cast<int>(lines.size());
}

}  // namespace zor::editor
