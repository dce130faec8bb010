#include "editor/testing/test_equipment.h"

#include <QFile>
#include <QProcess>

#include "editor/shell/history.h"
#include "editor/shell/library.h"
#include "zoredit/zoredit.h"

namespace zor::editor::testing {

QString compilerPath() { return QStringLiteral(ZOR_COMPILE_PATH); }
QString examplesDir() { return QStringLiteral(ZOR_EXAMPLES_DIR); }

void compile(Equipment& eq, const QString& sourceText) {
    eq.source = eq.dir.filePath(QStringLiteral("equipment.txt"));
    eq.object = eq.dir.filePath(QStringLiteral("equipment.fil"));
    eq.cnf = eq.dir.filePath(QStringLiteral("equipment.cnf"));
    QFile::remove(eq.source);
    if (sourceText.isEmpty())
        QFile::copy(examplesDir() + QStringLiteral("/equipment.txt"), eq.source);
    else
        writeTextLines(eq.source, sourceText.split(u'\n'));
    QFile::remove(eq.cnf);
    QFile::copy(examplesDir() + QStringLiteral("/equipment.cnf"), eq.cnf);
    QProcess p;
    p.setWorkingDirectory(eq.dir.path());
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(compilerPath(), {eq.source});
    p.waitForFinished(60000);
    eq.compileExit = p.exitCode();
    eq.compileOutput = QString::fromLocal8Bit(p.readAll());
}

int load(Equipment& eq, const QString& sourceText) {
    compile(eq, sourceText);
    QString error;
    return lib::editSetupEquipment(eq.cnf, eq.object, &error);
}

}  // namespace zor::editor::testing
