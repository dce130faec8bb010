#include "editor/shell/formmain.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "editor/shell/qt_print.h"

namespace zor::editor {
namespace {

TEST(MainWindow, EachActivationMakesTheProgramDirectoryCurrent) {
    QTemporaryDir program, elsewhere;
    QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    TformMain main;
    main.launchDir = program.path();
    main.show();
    EXPECT_EQ(main.programDir, QDir(program.path()).absolutePath());
    EXPECT_EQ(QDir::currentPath(), QDir(program.path()).canonicalPath());
    EXPECT_EQ(main.fileInProgramDir(QStringLiteral("soft_type.his")),
              QDir(program.path()).absoluteFilePath(QStringLiteral("soft_type.his")));
    main.hide();
    QDir::setCurrent(before);
}

TEST(MainWindow, AProgramDirectoryThatCannotBeWrittenFallsBackToTheUsersDataDirectory) {
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QString dir = TformMain::workingDirectoryFor(QStringLiteral("/nonexistent/bin"));
    EXPECT_EQ(dir, QDir(data.path()).filePath(QStringLiteral("ZorGemSet")));
    EXPECT_TRUE(QDir(dir).exists());
    qunsetenv("XDG_DATA_HOME");
}

TEST(MainWindow, ChangesTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(changeExtension(QStringLiteral("/eq/a.b/equip.txt"), QStringLiteral(".fil")),
              QStringLiteral("/eq/a.b/equip.fil"));
    EXPECT_EQ(changeExtension(QStringLiteral("/eq/a.b/equip"), QStringLiteral(".fil")),
              QStringLiteral("/eq/a.b/equip.fil"));
    EXPECT_EQ(changeExtension(QStringLiteral("equip.FIL"), QStringLiteral(".txt")),
              QStringLiteral("equip.txt"));
}

}  // namespace
}  // namespace zor::editor
