#include "editor/shell/compile_protocol.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "editor/shell/action.h"
#include "editor/shell/history.h"
#include "editor/shell/qt_print.h"

namespace zor::editor {
namespace {

class CompileMeeting : public ::testing::Test {
  protected:
    QTemporaryDir dir;

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray bytes(const char* name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const char* name, const QByteArray& content) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    // A stand-in compiler that notes its arguments, one a line.
    QString standIn() {
        const QString script = dir.filePath(QStringLiteral("compiler.sh"));
        QFile f(script);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + dir.filePath("args") + "'\n").toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
};

TEST_F(CompileMeeting, ThePassFileHoldsTheHandleAsItsOneLine) {
    write(kPassFile, "an older and longer content\r\n2nd line\r\n");
    WritePassFile(dir.path(), 54321);
    EXPECT_EQ(bytes(kPassFile), QByteArray("54321\r\n"));
    EXPECT_THROW(WritePassFile(dir.filePath(QStringLiteral("no/such")), 1), ActionError);
}

TEST_F(CompileMeeting, StartRemovesAStaleMarkerAndPassesTheSourceAndBothNames) {
    write(kEndMarker, "0\r\n");
    const QString source = dir.filePath(QStringLiteral("my equipment.txt"));
    ASSERT_EQ(StartCompile(dir.path(), standIn(), source), 0);
    EXPECT_FALSE(compileEnded(dir.path()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bytes("args").endsWith('\n'); }, 5000));
    EXPECT_EQ(bytes("args"), (source + "\nzor_conf.log\nzor_conf.end\n").toUtf8());

    // A compiler that cannot start leaves a number, not 0.
    EXPECT_NE(StartCompile(dir.path(), dir.filePath(QStringLiteral("none")), source), 0);
}

TEST_F(CompileMeeting, QuotesASourcePathTheWindowsWay) {
    EXPECT_EQ(quoteArgument(QStringLiteral("/eq/equip.txt")), QStringLiteral("/eq/equip.txt"));
    EXPECT_EQ(quoteArgument(QStringLiteral("/my eq/equip.txt")),
              QStringLiteral("\"/my eq/equip.txt\""));
    EXPECT_EQ(quoteArgument(QStringLiteral("/a\"b c\\")), QStringLiteral("\"/a\\\"b c\\\\\""));
    EXPECT_EQ(quoteArgument(QString()), QStringLiteral("\"\""));
}

TEST_F(CompileMeeting, AProgressLineIsTheFirstLineOfTheProgressFile) {
    EXPECT_THROW(readProgressLine(dir.path()), ActionError);
    write(kProgressFile, "\x82\xa0 line-3 error\r\nrest\r\n");  // Shift-JIS "あ"
    EXPECT_EQ(readProgressLine(dir.path()), QStringLiteral("あ line-3 error"));
    write(kProgressFile, "");
    EXPECT_EQ(readProgressLine(dir.path()), QString());
}

TEST_F(CompileMeeting, TheEndMarkerSaysWhetherAndHowTheCompileEnded) {
    EXPECT_FALSE(compileEnded(dir.path()));
    write(kEndMarker, "1\r\n");
    EXPECT_TRUE(compileEnded(dir.path()));
    EXPECT_EQ(compileResult(dir.path()), 1);
    write(kEndMarker, "0");
    EXPECT_EQ(compileResult(dir.path()), 0);
    write(kEndMarker, "");
    EXPECT_THROW(compileResult(dir.path()), ActionError);
}

TEST(CompileWatch, GivesUpOnlyAfterFiveSilentPollsInARow) {
    CompileWatch watch;
    // A compiler that reports between every two polls runs as long as it likes.
    for (int i = 0; i < 3 * CompileWatch::kSilentTicks; ++i) {
        EXPECT_FALSE(watch.silentTick()) << i;
        watch.restart();
    }
    for (int i = 1; i < CompileWatch::kSilentTicks; ++i) EXPECT_FALSE(watch.silentTick()) << i;
    watch.restart();  // a line just before the fifth silent poll
    for (int i = 1; i < CompileWatch::kSilentTicks; ++i) EXPECT_FALSE(watch.silentTick()) << i;
    EXPECT_TRUE(watch.silentTick());
    EXPECT_EQ(watch.silentTicks(), CompileWatch::kSilentTicks);
}

}  // namespace
}  // namespace zor::editor
