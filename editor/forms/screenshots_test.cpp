#include "editor/forms/screenshots.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include "editor/forms/formalset.h"
#include "editor/forms/formspset.h"
#include "editor/forms/windows.h"
#include "editor/shell/formmain.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/string_grid.h"
#include "editor/testing/test_equipment.h"
#include "zoredit/zoredit.h"

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

// With the sample equipment the shots show it: an alarm in the alarm
// editor's detail, a stream's functions in the spool editor's list.
TEST(Screenshots, TheAlarmAndSpoolEditorsAreShownFilledFromTheEquipment) {
    testing::Equipment eq;
    testing::compile(eq);
    ASSERT_EQ(eq.compileExit, 0) << eq.compileOutput.toStdString();
    QTemporaryDir program, shots;
    const QString before = QDir::currentPath();
    createWindows();
    formMain->launchDir = program.path();
    takeScreenshots(shots.path(), eq.cnf, eq.object);
    const QString alarmName = formALSet->edtName->text();
    const QStringList alarmList = {formALSet->SG1->cell(1, 1), formALSet->SG1->cell(1, 3)};
    const int functions = formSPSet->lbF->count();
    const QString spooled = formSPSet->SG1->cell(1, 3);
    destroyWindows();
    GemTerminateLibrary();
    QDir::setCurrent(before);

    EXPECT_EQ(alarmName, QStringLiteral("AL_HEATER_OVERTEMP"));
    EXPECT_EQ(alarmList, (QStringList{"6001", "6003"}));
    EXPECT_EQ(functions, 2);  // S6F11, S6F13
    EXPECT_EQ(spooled, QStringLiteral("S6F13"));
    const QStringList files = QDir(shots.path()).entryList({QStringLiteral("*.png")}, QDir::Files);
    EXPECT_TRUE(files.contains(QStringLiteral("15_formALSet.png")))
        << files.join(u' ').toStdString();
    EXPECT_TRUE(files.contains(QStringLiteral("19_formSPSet.png")))
        << files.join(u' ').toStdString();
}

}  // namespace
}  // namespace zor::editor
