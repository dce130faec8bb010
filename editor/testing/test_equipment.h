#pragma once
// For tests: compiles a definition source with the real ZorCompile in a
// scratch directory and binds the result through zoredit.

#include <QString>
#include <QTemporaryDir>

namespace zor::editor::testing {

// The ZorCompile of this build and the sample equipment.
QString compilerPath();
QString examplesDir();

struct Equipment {
    QTemporaryDir dir;
    QString source;  // the source inside dir
    QString object;  // its .fil
    QString cnf;     // the environment file inside dir
    int compileExit = -1;
    QString compileOutput;
};

// Copies `sourceText` (UTF-8, written as Shift-JIS; empty: the sample
// equipment) into a scratch directory and compiles it there, waiting.
void compile(Equipment& eq, const QString& sourceText = QString());
// Compiles and binds it with GemEditSetupEquipment; the load's result.
int load(Equipment& eq, const QString& sourceText = QString());

}  // namespace zor::editor::testing
