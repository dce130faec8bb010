#include "editor/forms/screenshots.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "editor/forms/windows.h"
#include "editor/shell/formmain.h"
#include "editor/shell/qt_print.h"

namespace zor::editor {
namespace {

// Showing the main window makes the program directory current; the shots
// still go where the caller's relative directory pointed.
TEST(Screenshots, ARelativeDirectoryIsTheCallersNotTheProgramDirectorys) {
    QTemporaryDir caller, program;
    const QString before = QDir::currentPath();
    createWindows();
    formMain->launchDir = program.path();
    QDir::setCurrent(caller.path());
    const int written = takeScreenshots(QStringLiteral("shots/today"));
    const QDir shots(caller.filePath(QStringLiteral("shots/today")));
    EXPECT_EQ(QDir::currentPath(), QDir(program.path()).canonicalPath());
    destroyWindows();
    QDir::setCurrent(before);

    EXPECT_GE(written, 20);  // one a window, three of the variable editor
    const QStringList files = shots.entryList({QStringLiteral("*.png")}, QDir::Files);
    EXPECT_EQ(files.size(), written);
    EXPECT_TRUE(files.contains(QStringLiteral("01_formMain.png")))
        << files.join(u' ').toStdString();
}

}  // namespace
}  // namespace zor::editor
