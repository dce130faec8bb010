#include "editor/shell/check_log.h"

#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <exception>

#include "editor/shell/sjis.h"
#include "inspect/check.h"
#include "inspect/finding_text.h"
#include "inspect/snapshot.h"
#include "inspect/source_index.h"

namespace zor::editor {

void appendCheckLog(QPlainTextEdit* memo, const QString& sourcePath, const QString& objectPath) {
    // A check that cannot run says so in the memo and leaves the session as
    // it was: it is advice, never a gate.
    try {
        // The object file the compile just wrote, read as ZorInspect reads it.
        inspect::Snapshot snapshot;
        std::string error;
        if (!snapshot.read(QFile::encodeName(objectPath).toStdString(), error)) {
            memo->appendPlainText(QStringLiteral("--- check: not run: ") + fromSjis(error.c_str()) +
                                  QStringLiteral(" ---"));
            return;
        }
        inspect::SourceIndex source;
        bool withSource = !sourcePath.isEmpty() &&
                          source.read(QFile::encodeName(sourcePath).toStdString(), error);
        auto findings = inspect::check(snapshot, withSource ? &source : nullptr);
        memo->appendPlainText(QStringLiteral("--- check: ") +
                              QString::fromStdString(inspect::summary(inspect::count(findings))) +
                              QStringLiteral(" ---"));
        QString sourceName = QFileInfo(sourcePath).fileName();
        QString objectName = QFileInfo(objectPath).fileName();
        for (const auto& f : findings) {
            QString where = f.line > 0 ? sourceName + u':' + QString::number(f.line) : objectName;
            memo->appendPlainText(where + QStringLiteral(": ") +
                                  fromSjis(inspect::finding_body(f).c_str()));
        }
    } catch (const std::exception& e) {
        memo->appendPlainText(QStringLiteral("--- check: not run: ") +
                              QString::fromLocal8Bit(e.what()) + QStringLiteral(" ---"));
    }
}

}  // namespace zor::editor
