#include "editor/testing/object_file.h"

#include <QFile>
#include <QProcess>

namespace zor::editor::testing {

QMap<QByteArray, QByteArray> objectLines(const QString& path) {
    QMap<QByteArray, QByteArray> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return lines;
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.isEmpty()) continue;
        // "EC: NAME00000012EC_HEATER_SETPOINTID  …": the name's length is hex.
        const int at = static_cast<int>(line.indexOf("NAME"));
        const int length = at < 0 ? 0 : line.mid(at + 4, 8).toInt(nullptr, 16);
        lines.insert(line.left(3) + line.mid(at + 12, length), line);
    }
    return lines;
}

QStringList changedKeys(const QMap<QByteArray, QByteArray>& a,
                        const QMap<QByteArray, QByteArray>& b) {
    QStringList keys;
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        if (b.value(it.key()) != it.value()) keys << QString::fromLatin1(it.key());
    for (auto it = b.cbegin(); it != b.cend(); ++it)
        if (!a.contains(it.key())) keys << QString::fromLatin1(it.key());
    return keys;
}

int compileInPlace(const Equipment& eq) {
    QProcess p;
    p.setWorkingDirectory(eq.dir.path());
    p.start(compilerPath(), {eq.source});
    p.waitForFinished(60000);
    return p.exitCode();
}

}  // namespace zor::editor::testing
