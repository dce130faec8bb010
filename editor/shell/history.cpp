#include "editor/shell/history.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <string>

#include "editor/shell/action.h"
#include "editor/shell/sjis.h"
#include "editor/shell/whole_file.h"
#include "platform/platform.h"

namespace zor::editor {

QStringList readTextLines(const QString& fileName, int maxCount) {
    QStringList lines;
    const std::string path = QFile::encodeName(fileName).toStdString();
    std::string bytes;
    if (!platform::read_regular_file(path, bytes)) {
        if (errno == ENOENT) return lines;
        // A FIFO is refused, not waited on: nobody is going to write it.
        throw ActionError(fileErrorMessage(fileName, errno));
    }
    const QByteArray all =
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
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
    writeWholeFile(fileName, out);
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
