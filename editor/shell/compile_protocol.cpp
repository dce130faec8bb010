#include "editor/shell/compile_protocol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "editor/shell/action.h"
#include "editor/shell/history.h"
#include "editor/shell/library.h"

namespace zor::editor {

namespace {
QString meetingFile(const QString& dir, const char* name) {
    return QDir(dir).filePath(QString::fromLatin1(name));
}
}  // namespace

QString quoteArgument(const QString& path) {
    bool plain =
        !path.isEmpty() && !path.contains(u' ') && !path.contains(u'\t') && !path.contains(u'"');
    if (plain) return path;
    // Backslashes count only before a quote: double those, escape the quote.
    QString out = QStringLiteral("\"");
    int backslashes = 0;
    for (QChar c : path) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        if (c == u'"') {
            out += QString(backslashes * 2 + 1, u'\\') + u'"';
        } else {
            out += QString(backslashes, u'\\') + c;
        }
        backslashes = 0;
    }
    out += QString(backslashes * 2, u'\\') + u'"';
    return out;
}

void WritePassFile(const QString& dir, quint16 handle) {
    writeTextLines(meetingFile(dir, kPassFile), {QString::number(handle)});
}

int StartCompile(const QString& dir, const QString& compiler, const QString& source) {
    QFile::remove(meetingFile(dir, kEndMarker));
    const QString arguments = quoteArgument(source) + u' ' + QString::fromLatin1(kCompileLog) +
                              u' ' + QString::fromLatin1(kEndMarker);
    return lib::createProcess(compiler, arguments);
}

QString readProgressLine(const QString& dir) {
    const QString path = meetingFile(dir, kProgressFile);
    if (!QFileInfo::exists(path))
        throw ActionError(QStringLiteral("入出力エラー: %1 がありません").arg(path));
    const QStringList lines = readTextLines(path, 1);
    return lines.isEmpty() ? QString() : lines[0];
}

bool compileEnded(const QString& dir) { return QFileInfo::exists(meetingFile(dir, kEndMarker)); }

int compileResult(const QString& dir) {
    const QStringList lines = readTextLines(meetingFile(dir, kEndMarker), 1);
    return toInt(lines.isEmpty() ? QString() : lines[0]);
}

}  // namespace zor::editor
