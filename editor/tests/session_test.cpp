// Definition sessions end to end: the session window compiles a source with
// the real ZorCompile, follows its progress lines, loads the equipment
// through zoredit and opens the menu; the menu saves, compiles again and
// asks before a close would lose changes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <thread>

#include "editor/forms/formalset.h"
#include "editor/forms/formceset.h"
#include "editor/forms/formfppset.h"
#include "editor/forms/formppset.h"
#include "editor/forms/formrcpset.h"
#include "editor/forms/formspset.h"
#include "editor/forms/id_picker.h"
#include "editor/forms/item_grid.h"
#include "editor/forms/windows.h"
#include "editor/shell/compile_protocol.h"
#include "editor/shell/formmain.h"
#include "editor/shell/formvconf.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/history.h"
#include "editor/shell/library.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"
#include "editor/testing/form_driver.h"
#include "editor/testing/object_file.h"
#include "editor/testing/scripted_seam.h"
#include "editor/testing/test_equipment.h"
#include "platform/platform.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

constexpr int kCompileWaitMs = 30000;

QStringList lines(const QPlainTextEdit* memo) {
    QString text = memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

class Session : public ::testing::Test {
  protected:
    ScriptedSeam seam;
    SeamScope scope{seam};
    QTemporaryDir program;  // the program directory: meeting files, histories
    QTemporaryDir work;     // where the user keeps the equipment
    QString before = QDir::currentPath();
    QString cnf = work.filePath(QStringLiteral("equipment.cnf"));
    QString source = work.filePath(QStringLiteral("equipment.txt"));

    void SetUp() override {
        createWindows();
        formMain->launchDir = program.path();
        formMain->programDir = program.path();
        formMain->compilerPath = testing::compilerPath();
        QDir::setCurrent(program.path());
        QFile::copy(testing::examplesDir() + QStringLiteral("/equipment.cnf"), cnf);
        QFile::copy(testing::examplesDir() + QStringLiteral("/equipment.txt"), source);
    }
    void TearDown() override {
        formVMenu->Modified = 0;
        destroyWindows();
        GemTerminateLibrary();
        QDir::setCurrent(before);
    }

    void press(QWidget* form, const char* name) {
        auto* b = form->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void openSession(const QString& conf, const QString& file) {
        formVConf->show();
        formVConf->edtConf->setText(conf);
        formVConf->edtFile->setText(file);
    }
    bool waitForMemo(const QPlainTextEdit* memo, const QString& line, int ms = kCompileWaitMs) {
        return QTest::qWaitFor([&] { return lines(memo).contains(line); }, ms);
    }
    QStringList file(const QString& name) { return readTextLines(program.filePath(name)); }
};

TEST_F(Session, CompilesFollowsTheProgressLoadsAndOpensTheMenu) {
    openSession(cnf, source);
    press(formVConf, "btnGo");
    EXPECT_TRUE(formVConf->Timer1->isActive());
    EXPECT_EQ(file(QStringLiteral("pass_file")), QStringList{QString::number(formVConf->handle())});
    ASSERT_TRUE(waitForMemo(formVConf->MEMO, QStringLiteral("=== Compile end ===")));

    QStringList memo = lines(formVConf->MEMO);
    ASSERT_GE(memo.size(), 3);
    EXPECT_EQ(memo.first(), QStringLiteral("Compiler Porcess Start ei=0"));
    // Every progress line arrived, in the compiler's own order (its log).
    // The memo takes the first line of each message, so the blank lines a
    // message carries after its own line are in the log only.
    QStringList log = readTextLines(program.filePath(QStringLiteral("ZorEdit.log")));
    log.removeAll(QString());
    int end = static_cast<int>(memo.indexOf(QStringLiteral("=== Compile end ===")));
    ASSERT_GT(end, 1);
    QStringList progress = memo.mid(1, end - 1);
    progress.removeAll(QString());
    EXPECT_EQ(progress, log);
    EXPECT_EQ(memo.mid(end), (QStringList{"=== Compile end ===", "   result = 0",
                                          "--- check: 0 errors, 0 warnings ---"}));
    EXPECT_FALSE(formVConf->Timer1->isActive());
    EXPECT_TRUE(seam.messages.isEmpty()) << seam.messages.join(u'|').toStdString();

    // Loaded and bound: the menu shows the source and its object file.
    EXPECT_TRUE(formVMenu->isVisible());
    EXPECT_TRUE(formVConf->isVisible());
    EXPECT_EQ(formMain->envFile, cnf);
    EXPECT_EQ(formMain->defFile, source);
    EXPECT_EQ(formVMenu->edtSrc->text(), source);
    EXPECT_EQ(formVMenu->edtFile->text(), work.filePath(QStringLiteral("equipment.fil")));
    EXPECT_EQ(formVMenu->Modified, 0);
    EXPECT_EQ(lib::binList(GemGetEcList).size(), 5u);
    // Both histories remember the session's files.
    EXPECT_EQ(file(QStringLiteral("eq_conf.his")), QStringList{cnf});
    EXPECT_EQ(file(QStringLiteral("eq_var.his")), QStringList{source});
}

TEST_F(Session, AfterTheCompileTheCheckNamesADanglingReportLinkInTheMemoAndChangesNothing) {
    writeTextLines(source,
                   {"REV_NO = 2", "def_sv SV_T {", "    svid   : 1", "    format : U4", "}",
                    "def_report RP_A {", "    rptid : 10", "    vname : SV_T", "}", "def_ce CE_A {",
                    "    ceid    : 100", "    rptname : RP_A", "    rptname : RP_MISSING", "}"});
    openSession(cnf, source);
    press(formVConf, "btnGo");
    ASSERT_TRUE(QTest::qWaitFor([] { return formVMenu->isVisible(); }, kCompileWaitMs));
    QStringList memo = lines(formVConf->MEMO);
    int end = static_cast<int>(memo.indexOf(QStringLiteral("   result = 0")));
    ASSERT_GT(end, 0) << memo.join(u'\n').toStdString();
    EXPECT_EQ(memo.mid(end + 1),
              (QStringList{"--- check: 1 error, 0 warnings ---",
                           "equipment.txt:10: error E101: CE 100 CE_A: report RP_MISSING is not "
                           "defined"}));
    EXPECT_TRUE(seam.messages.isEmpty());
    // The link stays as loaded: the check only reads.
    TCE_INFO ce;
    ASSERT_EQ(GemGetCeInfo(0, 100, &ce), 0);
    EXPECT_EQ(ce.rpid_count, 2);
    EXPECT_EQ(ce.rpids[1], 0);
    ZorFreeTCE_INFO(&ce);
    EXPECT_EQ(formVMenu->Modified, 0);
}

TEST_F(Session, ACompileWithErrorsLoadsNothingAndOpensNoMenu) {
    writeTextLines(source,
                   {"REV_NO = 2", "def_ec EC_BAD {", "    ecid   : 1", "    format : XX", "}"});
    openSession(cnf, source);
    press(formVConf, "btnGo");
    ASSERT_TRUE(waitForMemo(formVConf->MEMO, QStringLiteral("=== Compile end ===")));
    QStringList memo = lines(formVConf->MEMO);
    EXPECT_NE(memo.last(), QStringLiteral("   result = 0"));
    EXPECT_TRUE(memo.last().startsWith(QStringLiteral("   result = ")));
    EXPECT_TRUE(
        memo.filter(QStringLiteral("error")).size() + memo.filter(QStringLiteral("!!")).size() > 0)
        << memo.join(u'\n').toStdString();
    QTest::qWait(50);
    EXPECT_FALSE(formVMenu->isVisible());
    EXPECT_TRUE(formMain->envFile.isEmpty());
    EXPECT_TRUE(seam.messages.isEmpty());
}

// Runs that cannot compile what the user named: the session shows why and
// loads nothing, whatever the previous outputs were.
class RefusedCompile : public Session {
  protected:
    void expectRefused(const QString& reason) {
        openSession(cnf, source);
        press(formVConf, "btnGo");
        ASSERT_TRUE(waitForMemo(formVConf->MEMO, QStringLiteral("=== Compile end ===")));
        QStringList memo = lines(formVConf->MEMO);
        EXPECT_TRUE(memo.contains(reason)) << memo.join(u'\n').toStdString();
        EXPECT_NE(memo.last(), QStringLiteral("   result = 0"));
        QTest::qWait(50);
        EXPECT_FALSE(formVMenu->isVisible());
        EXPECT_TRUE(formMain->envFile.isEmpty());
        EXPECT_TRUE(seam.messages.isEmpty());
    }
};

TEST_F(RefusedCompile, ADirectoryNamedAsTheSource) {
    // The window itself takes a directory for a missing file: no compile
    // starts, the earlier object file beside it is not bound.
    QFile::remove(source);
    ASSERT_TRUE(QDir().mkdir(source));
    testing::Equipment eq;
    testing::compile(eq);
    ASSERT_TRUE(QFile::copy(eq.object, work.filePath(QStringLiteral("equipment.fil"))));
    openSession(cnf, source);
    press(formVConf, "btnGo");
    QTest::qWait(50);
    EXPECT_TRUE(lines(formVConf->MEMO).isEmpty());
    EXPECT_FALSE(formVConf->Timer1->isActive());
    EXPECT_FALSE(formVMenu->isVisible());
    EXPECT_TRUE(formMain->envFile.isEmpty());
}

TEST_F(RefusedCompile, AnObjectFileThatCannotBeWritten) {
    QString object = work.filePath(QStringLiteral("equipment.fil"));
    ASSERT_TRUE(QDir().mkdir(object));
    expectRefused(QStringLiteral(" !! file : ") + object +
                  QStringLiteral(" not written : Is a directory"));
}

TEST_F(RefusedCompile, ASourceThatIsAlsoAnOutput) {
    QString header = work.filePath(QStringLiteral("equipment.h"));
    ASSERT_TRUE(QFile::link(source, header));
    auto bytes = [&] {
        QFile f(source);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
    };
    QByteArray before = bytes();
    expectRefused(QStringLiteral(" !! source file : ") + source +
                  QStringLiteral(" is also the output file ") + header);
    EXPECT_EQ(bytes(), before);
}

TEST_F(Session, WithoutAnEndMarkerTheWatchGivesUpAfterFiveTicks) {
    formMain->compilerPath = QStringLiteral("/bin/true");  // starts, writes nothing
    openSession(cnf, source);
    press(formVConf, "btnGo");
    EXPECT_EQ(lines(formVConf->MEMO), QStringList{QStringLiteral("Compiler Porcess Start ei=0")});
    formVConf->Timer1->setInterval(10);  // the test's clock runs faster
    ASSERT_TRUE(waitForMemo(formVConf->MEMO, QStringLiteral(" !! -- Compile time out"), 5000));
    EXPECT_EQ(formVConf->watch.silentTicks(), CompileWatch::kSilentTicks);
    EXPECT_FALSE(formVConf->Timer1->isActive());
    // A marker that turns up later is not looked at.
    writeTextLines(program.filePath(QStringLiteral("zor_conf.end")), {"0"});
    QTest::qWait(50);
    EXPECT_EQ(lines(formVConf->MEMO).size(), 2);
    EXPECT_FALSE(formVMenu->isVisible());
}

// The test plays a slow compiler: it reports through the real channel and
// polls the watch itself, one Timer1Timer() a tick.
class SlowCompile : public Session {
  protected:
    zor::platform::NotifyChannel channel;

    void SetUp() override {
        Session::SetUp();
        formMain->compilerPath = QStringLiteral("/bin/true");  // starts, writes nothing
        openSession(cnf, source);
        press(formVConf, "btnGo");
        formVConf->Timer1->setInterval(3600 * 1000);  // no tick but the test's own
        ASSERT_TRUE(channel.open(formVConf->handle(), 5000));
    }
    // One progress line, as the compiler sends it: rewrite AAZZ, notify,
    // wait for the acknowledgement (the editor has read it by then).
    void report(const QString& line) {
        writeTextLines(program.filePath(QStringLiteral("AAZZ")), {line});
        bool sent = false;
        std::thread sender([&] { sent = channel.send(line.toStdString()); });
        const bool shown = waitForMemo(formVConf->MEMO, line, 5000);
        sender.join();
        ASSERT_TRUE(sent && shown) << line.toStdString();
    }
    void silentTicks(int n) {
        for (int i = 0; i < n; ++i) formVConf->Timer1Timer();
    }
    bool timedOut() {
        return lines(formVConf->MEMO).contains(QStringLiteral(" !! -- Compile time out"));
    }
};

TEST_F(SlowCompile, ACompilerThatKeepsReportingIsWaitedForAndOpensTheSession) {
    // Three times as long as the watch would wait for a silent compiler,
    // with a line before every fifth poll.
    const int silent = CompileWatch::kSilentTicks - 1;
    for (int round = 1; round <= 3; ++round) {
        report(QStringLiteral("progress %1").arg(round));
        silentTicks(silent);
        ASSERT_FALSE(timedOut()) << round;
    }
    EXPECT_TRUE(formVConf->Timer1->isActive());
    EXPECT_EQ(formVConf->watch.silentTicks(), silent);

    // Now the compile ends: the real compiler writes the object file and the
    // marker (without the channel, which this test holds).
    channel.close();
    QFile::remove(program.filePath(QStringLiteral("pass_file")));
    QProcess compiler;
    compiler.setWorkingDirectory(program.path());
    compiler.start(testing::compilerPath(), {source});
    ASSERT_TRUE(compiler.waitForFinished(kCompileWaitMs));
    ASSERT_EQ(compiler.exitCode(), 0);
    formVConf->Timer1Timer();
    EXPECT_EQ(lines(formVConf->MEMO).mid(4), (QStringList{"=== Compile end ===", "   result = 0",
                                                          "--- check: 0 errors, 0 warnings ---"}));
    EXPECT_FALSE(formVConf->Timer1->isActive());
    EXPECT_TRUE(formVMenu->isVisible());
    EXPECT_EQ(formMain->envFile, cnf);
    EXPECT_TRUE(seam.messages.isEmpty()) << seam.messages.join(u'|').toStdString();
}

TEST_F(SlowCompile, ACompilerThatFallsSilentTimesOutAfterFiveSilentTicks) {
    for (int i = 1; i <= 3; ++i) {
        report(QStringLiteral("progress %1").arg(i));
        formVConf->Timer1Timer();
    }
    // A line restarts the count; the poll after the last one was the first silent one.
    silentTicks(CompileWatch::kSilentTicks - 2);
    EXPECT_FALSE(timedOut());
    EXPECT_TRUE(formVConf->Timer1->isActive());
    silentTicks(1);
    EXPECT_EQ(lines(formVConf->MEMO).last(), QStringLiteral(" !! -- Compile time out"));
    EXPECT_EQ(formVConf->watch.silentTicks(), CompileWatch::kSilentTicks);
    EXPECT_FALSE(formVConf->Timer1->isActive());
    EXPECT_FALSE(formVMenu->isVisible());
}

TEST_F(Session, ACompilerThatCannotStartIsReportedAndTimesOut) {
    formMain->compilerPath = program.filePath(QStringLiteral("no-such-compiler"));
    openSession(cnf, source);
    press(formVConf, "btnGo");
    ASSERT_EQ(seam.messages.size(), 1);
    EXPECT_TRUE(seam.messages[0].startsWith(QStringLiteral("Compile ei=")));
    EXPECT_NE(seam.messages[0], QStringLiteral("Compile ei=0"));
    EXPECT_EQ(lines(formVConf->MEMO).first(),
              QStringLiteral("Compiler Porcess Start ") + seam.messages[0].mid(8));
    EXPECT_TRUE(formVConf->Timer1->isActive());
}

TEST_F(Session, OnlyTxtAndTXTCompileAndAnObjectFileOpensWithoutCompiling) {
    QString mixed = work.filePath(QStringLiteral("equipment.Txt"));
    QFile::copy(source, mixed);
    openSession(cnf, mixed);
    press(formVConf, "btnGo");
    EXPECT_TRUE(lines(formVConf->MEMO).isEmpty());
    EXPECT_FALSE(formVConf->Timer1->isActive());
    EXPECT_FALSE(QFile::exists(program.filePath(QStringLiteral("pass_file"))));
    EXPECT_EQ(file(QStringLiteral("eq_var.his")), QStringList{mixed});  // the history still moves

    // An object file, whatever the case of its extension, is bound as it is.
    testing::Equipment eq;
    testing::compile(eq);
    ASSERT_EQ(eq.compileExit, 0) << eq.compileOutput.toStdString();
    QString object = work.filePath(QStringLiteral("EQUIP.FIL"));
    ASSERT_TRUE(QFile::copy(eq.object, object));
    formVConf->edtFile->setText(object);
    press(formVConf, "btnGo");
    EXPECT_TRUE(lines(formVConf->MEMO).isEmpty());  // nothing compiled
    EXPECT_TRUE(formVMenu->isVisible());
    EXPECT_EQ(formVMenu->edtFile->text(), object);
    EXPECT_EQ(formVMenu->edtSrc->text(), work.filePath(QStringLiteral("EQUIP.txt")));
    EXPECT_FALSE(lib::binList(GemGetCeList).empty());
}

TEST_F(Session, ABrokenObjectFileShowsTheLibrarysReason) {
    QString object = work.filePath(QStringLiteral("broken.fil"));
    writeTextLines(object, {"XX: this is no object file"});
    openSession(cnf, object);
    press(formVConf, "btnGo");
    ASSERT_EQ(seam.messages.size(), 1);
    EXPECT_TRUE(
        seam.messages[0].startsWith(QStringLiteral("設定されたﾌｧｲﾙにｴﾗｰがみつかりました。: \n")));
    EXPECT_GT(seam.messages[0].size(), 30);  // the reason follows
    EXPECT_FALSE(formVMenu->isVisible());
}

TEST_F(Session, TheEnvironmentFileMustBeNamedAndExist) {
    openSession(QStringLiteral("   "), source);
    press(formVConf, "btnGo");
    openSession(work.filePath(QStringLiteral("missing.cnf")), source);
    press(formVConf, "btnGo");
    EXPECT_EQ(seam.messages,
              (QStringList{QStringLiteral("装置構成定義ﾌｧｲﾙを設定してください。"),
                           QStringLiteral("指定された装置構成定義ﾌｧｲﾙが開けません。")}));
    EXPECT_FALSE(QFile::exists(program.filePath(QStringLiteral("eq_conf.his"))));
}

TEST_F(Session, TheSessionWindowStartsFromTheHistoriesAndReopensThroughThePicker) {
    writeTextLines(program.filePath(QStringLiteral("eq_conf.his")), {cnf, "/old.cnf"});
    writeTextLines(program.filePath(QStringLiteral("eq_var.his")),
                   {source, "/old.txt", "/older.txt"});
    formVConf->show();
    EXPECT_EQ(formVConf->edtConf->text(), cnf);
    EXPECT_EQ(formVConf->edtFile->text(), source);

    seam.modalSteps.push_back([](QWidget* hist) {
        auto* list = hist->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_Return);
    });
    press(formVConf, "btnReopen2");
    EXPECT_EQ(seam.modalWindows, QStringList{QStringLiteral("formHist")});
    EXPECT_EQ(formVConf->edtFile->text(), QStringLiteral("/older.txt"));
    EXPECT_EQ(file(QStringLiteral("eq_var.his")), (QStringList{"/older.txt", source, "/old.txt"}));

    QFile::remove(program.filePath(QStringLiteral("eq_conf.his")));
    press(formVConf, "btnReopen");
    EXPECT_EQ(seam.messages, QStringList{QStringLiteral("以前開いたﾌｧｲﾙはありません。")});

    seam.files = {work.filePath(QStringLiteral("gone.cnf"))};
    press(formVConf, "btnOpen");
    EXPECT_EQ(seam.fileRequests.last().title, QStringLiteral("装置環境定義ﾌｧｲﾙ名(*.cnf)を開く"));
    EXPECT_EQ(seam.fileRequests.last().directory, program.path());
    EXPECT_EQ(seam.messages.last(), QStringLiteral("指定されたﾌｧｲﾙがみつかりません。"));
    EXPECT_FALSE(QFile::exists(program.filePath(QStringLiteral("eq_conf.his"))));
}

TEST_F(Session, TheTextEditorOpensTheFileOrIsReportedMissing) {
    // A stand-in editor that notes which file it was given.
    QString editor = program.filePath(QStringLiteral("editor.sh"));
    QString noted = program.filePath(QStringLiteral("opened"));
    QFile script(editor);  // LF line ends: a shell reads "sh\r" as the interpreter
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\necho \"$1\" > '" + noted + "'\n").toUtf8());
    script.close();
    QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    formMain->textEditorPath = editor;
    openSession(cnf, source);
    press(formVConf, "btnEdit");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !readTextLines(noted).isEmpty(); }, 5000));
    EXPECT_EQ(readTextLines(noted), QStringList{source});
    EXPECT_TRUE(seam.messages.isEmpty());

    formMain->textEditorPath.clear();
    press(formVConf, "btnEdit");
    EXPECT_EQ(seam.messages, QStringList{QStringLiteral(" Editor  notepad.exe  が見つかりせん")});
}

// ---- the menu -----------------------------------------------------------------

class Menu : public Session {
  protected:
    void SetUp() override {
        Session::SetUp();
        openSession(cnf, source);
        press(formVConf, "btnGo");
        ASSERT_TRUE(QTest::qWaitFor([] { return formVMenu->isVisible(); }, kCompileWaitMs));
    }
};

// The bytes of a file, for texts that stay Shift-JIS.
QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(Menu, SavesAndCompilesTheSavedSourceAgain) {
    // An edit as the alarm editor makes it.
    TAL_INFO alarm;
    ASSERT_EQ(GemGetAlInfo(0, 6002, &alarm), 0);
    alarm.alcd = 0x03;
    ASSERT_EQ(GemSetAlInfo(0, &alarm), 0);
    ZorFreeTAL_INFO(&alarm);
    formVMenu->SetModified();
    const QByteArray before = bytesOf(source);
    press(formVMenu, "btnSave");
    EXPECT_EQ(lines(formVMenu->Memo),
              (QStringList{QStringLiteral("保存しました。"),
                           QStringLiteral("（変更した定義のみ書き換え）")}));
    EXPECT_EQ(formVMenu->Modified, 0);
    EXPECT_EQ(seam.beeps, 1);
    EXPECT_EQ(bytesOf(source + QStringLiteral(".bak")), before);
    // The sample's comments are all still there; only the alarm's code line changed.
    const QByteArray saved = bytesOf(source);
    for (const QByteArray& line : before.split('\n')) {
        if (line.startsWith("//")) {
            EXPECT_TRUE(saved.contains(line)) << line.constData();
        }
    }
    QByteArray expected = before;
    expected.replace("    alcd    : 0x02\r\n", "    alcd : 3\r\n");
    EXPECT_EQ(saved, expected);

    // A stale marker of the first compile goes before the next one starts.
    writeTextLines(program.filePath(QStringLiteral("zor_conf.end")), {"7"});
    QFile::remove(program.filePath(QStringLiteral("ZorEdit.log")));
    press(formVMenu, "btnCompile");
    EXPECT_EQ(file(QStringLiteral("pass_file")), QStringList{QString::number(formVMenu->handle())});
    EXPECT_TRUE(formVMenu->Timer1->isActive());
    ASSERT_TRUE(waitForMemo(formVMenu->Memo, QStringLiteral("----- Operation End -----")));
    EXPECT_EQ(file(QStringLiteral("zor_conf.end")), QStringList{"0"});
    EXPECT_FALSE(formVMenu->Timer1->isActive());
    EXPECT_EQ(seam.beeps, 2);
    // The menu's own memo got the progress lines.
    QStringList log = readTextLines(program.filePath(QStringLiteral("ZorEdit.log")));
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(lines(formVMenu->Memo).contains(log.first()));
    EXPECT_EQ(formVMenu->Modified, 0);  // compiling does not touch it
    QStringList memo = lines(formVMenu->Memo);
    EXPECT_EQ(memo.mid(static_cast<int>(memo.indexOf(QStringLiteral("----- Operation End -----")))),
              (QStringList{"----- Operation End -----", "--- check: 0 errors, 0 warnings ---"}));
}

TEST_F(Menu, AReportDeletedWhileAnEventStillLinksItShowsAfterTheMenusCompile) {
    TRP_INFO rp;
    ASSERT_EQ(GemGetRpInfo(0, 4003, &rp), 0);  // RP_CHAMBER: CE 5002 and 5003 link it
    rp.deleted = 1;
    ASSERT_EQ(GemSetRpInfo(0, &rp), 0);
    ZorFreeTRP_INFO(&rp);
    press(formVMenu, "btnSave");
    press(formVMenu, "btnCompile");
    ASSERT_TRUE(waitForMemo(formVMenu->Memo, QStringLiteral("----- Operation End -----")));
    QStringList memo = lines(formVMenu->Memo);
    QStringList check =
        memo.mid(static_cast<int>(memo.indexOf(QStringLiteral("----- Operation End -----"))) + 1);
    ASSERT_EQ(check.size(), 3) << memo.join(u'\n').toStdString();
    EXPECT_EQ(check[0], QStringLiteral("--- check: 2 errors, 0 warnings ---"));
    EXPECT_TRUE(check[1].startsWith(QStringLiteral("equipment.txt:")));
    EXPECT_TRUE(check[1].endsWith(
        QStringLiteral(": error E101: CE 5002 CE_PROCESS_END: report RP_CHAMBER is not defined")))
        << check[1].toStdString();
    EXPECT_TRUE(check[2].endsWith(
        QStringLiteral(": error E101: CE 5003 CE_TEMP_LIMIT: report RP_CHAMBER is not defined")))
        << check[2].toStdString();
}

TEST_F(Menu, AFailedSaveLeavesModifiedSetSoClosingStillAsks) {
    formVMenu->SetModified();
    formVMenu->edtSrc->setText(work.filePath(QStringLiteral("no/such/dir/x.txt")));
    press(formVMenu, "btnSave");
    EXPECT_EQ(lines(formVMenu->Memo), QStringList{QStringLiteral("保存に失敗しました。")});
    EXPECT_EQ(formVMenu->Modified, 1);

    const QString question = QStringLiteral(
        "設定変更が行われましたがｺﾝﾊﾟｲﾙと保存がされておりません。\nこのまま終了しますか？");
    seam.answers = {false};
    press(formVMenu, "btnCancel");
    EXPECT_EQ(seam.questions, QStringList{question});
    EXPECT_TRUE(formVMenu->isVisible());
    seam.answers = {true};
    formVMenu->close();
    EXPECT_EQ(seam.questions.size(), 2);
    EXPECT_FALSE(formVMenu->isVisible());
    EXPECT_TRUE(formVConf->isVisible());
    EXPECT_EQ(formVMenu->tag(), 0);
}

TEST_F(Menu, ClosingUnmodifiedAsksNothingAndEmptySourceNamesAreRefused) {
    formVMenu->edtSrc->setText(QStringLiteral("  "));
    press(formVMenu, "btnSave");
    press(formVMenu, "btnCompile");
    EXPECT_EQ(seam.messages, (QStringList{QStringLiteral("保存用ｿｰｽﾌｧｲﾙ名を設定してください。"),
                                          QStringLiteral("ｿｰｽﾌｧｲﾙ名を設定してください。")}));
    press(formVMenu, "btnCancel");
    EXPECT_TRUE(seam.questions.isEmpty());
    EXPECT_FALSE(formVMenu->isVisible());
}

TEST_F(Menu, SaveAsTakesTheNewNameForBothFiles) {
    QString other = work.filePath(QStringLiteral("copy.txt"));
    seam.files = {other};
    press(formVMenu, "btnSaveAs");
    EXPECT_EQ(seam.fileRequests.last().fileName, QStringLiteral("equipment.txt"));
    EXPECT_EQ(seam.fileRequests.last().directory, work.path());
    EXPECT_EQ(formVMenu->edtSrc->text(), other);
    EXPECT_EQ(formVMenu->edtFile->text(), work.filePath(QStringLiteral("copy.fil")));
    EXPECT_TRUE(QFile::exists(other));
    // Nothing to edit at a new name: the whole source is written.
    EXPECT_EQ(lines(formVMenu->Memo), (QStringList{QStringLiteral("保存しました。"),
                                                   QStringLiteral("（全体を書き出し）")}));
}

// Through the menu's panels: a process program, an FPP and a recipe added,
// a process program changed and a recipe deleted; after the save and the
// menu's compile, exactly those lines of the object file differ.
TEST_F(Menu, ProgramEditorsChangeExactlyWhatTheUserDidInTheNextObjectFile) {
    const QString object = work.filePath(QStringLiteral("equipment.fil"));
    const QMap<QByteArray, QByteArray> before = testing::objectLines(object);
    ASSERT_TRUE(before.contains("RC:RCP_SIO2"));
    auto typeNew = [](DefinitionForm* f, const char* id, const char* name) {
        zor::editor::press(f->btnNew);
        f->edtId->setText(QString::fromLatin1(id));
        f->edtName->setText(QString::fromLatin1(name));
    };
    seam.modalSteps.push_back([&](QWidget*) {
        TformPPSet* f = formPPSet;
        typeNew(f, "E2E_PP", "PP_E2E");
        f->edtPpbody->setText(QStringLiteral("e2e.ppb"));
        zor::editor::press(f->btnOK);
        f->selectListRow(rowOf(f->SG1, QStringLiteral("SIN_50NM")));
        zor::editor::press(f->btnEdit);
        f->edtPpbody->setText(QStringLiteral("changed.ppb"));
        zor::editor::press(f->btnOK);
        zor::editor::press(f->btnCancel);
    });
    seam.modalSteps.push_back([&](QWidget*) {
        TformFPPSet* f = formFPPSet;
        typeNew(f, "E2E_FPP", "FPP_E2E");
        f->SG2->setCell(2, 1, QStringLiteral("MODEL"));
        f->SG2->setCell(2, 3, QStringLiteral("RUN"));
        f->SG2->setCell(2, 4, QStringLiteral("10"));
        zor::editor::press(f->btnOK);
        zor::editor::press(f->btnCancel);
    });
    seam.modalSteps.push_back([&](QWidget*) {
        TformRCPSet* f = formRCPSet;
        typeNew(f, "E2E_RCP", "RCP_E2E");
        f->SG2->setCell(2, 2, QStringLiteral("SPEED"));
        f->SG2->setCell(2, 3, QStringLiteral("fast"));
        zor::editor::press(f->btnOK);
        f->selectListRow(rowOf(f->SG1, QStringLiteral("RCP_SIO2_STD")));
        zor::editor::press(f->btnDel);
        zor::editor::press(f->btnCancel);
    });
    press(formVMenu, "btnPP");
    press(formVMenu, "btnFPP");
    press(formVMenu, "btnRCP");
    EXPECT_EQ(seam.modalWindows, (QStringList{"formPPSet", "formFPPSet", "formRCPSet"}));
    EXPECT_EQ(seam.messages, seam.questions) << seam.messages.join(u'|').toStdString();
    EXPECT_EQ(formVMenu->Modified, 1);

    press(formVMenu, "btnSave");
    press(formVMenu, "btnCompile");
    ASSERT_TRUE(waitForMemo(formVMenu->Memo, QStringLiteral("----- Operation End -----")));
    EXPECT_EQ(file(QStringLiteral("zor_conf.end")), QStringList{"0"});
    const QMap<QByteArray, QByteArray> after = testing::objectLines(object);
    EXPECT_EQ(
        testing::changedKeys(after, before),
        (QStringList{"FP:FPP_E2E", "PP:PP_E2E", "PP:PP_SIN_50NM", "RC:RCP_E2E", "RC:RCP_SIO2"}));
    EXPECT_TRUE(after.value("PP:PP_SIN_50NM").contains("PPBO0000000bchanged.ppb"))
        << after.value("PP:PP_SIN_50NM").constData();
    EXPECT_TRUE(after.value("FP:FPP_E2E").contains("MDLN00000005MODEL"))
        << after.value("FP:FPP_E2E").constData();
    EXPECT_TRUE(after.value("FP:FPP_E2E").contains("COUN00000001CCOD00000003RUN"))
        << after.value("FP:FPP_E2E").constData();
    EXPECT_TRUE(after.value("RC:RCP_E2E").contains("PNAM00000005SPEED"))
        << after.value("RC:RCP_E2E").constData();
}

// ---- a session of the alarm, CE and spool editors --------------------------------

void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// The sample with one spool stream of its own (S10F3) in place of its two.
class EditingSession : public Session {
  protected:
    void SetUp() override {
        Session::SetUp();
        QByteArray text = bytesOf(source);
        const QByteArray spools =
            "def_spool SPOOL_S5 {\r\n    stream   : 5\r\n    function : 1\r\n}\r\n"
            "def_spool SPOOL_S6 {\r\n    stream   : 6\r\n    function : 11\r\n"
            "    function : 13\r\n}\r\n";
        ASSERT_TRUE(text.contains(spools));
        text.replace(spools,
                     "def_spool SPOOL_S10 {\r\n    stream   : 10\r\n    function : 3\r\n}\r\n");
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        openSession(cnf, source);
        press(formVConf, "btnGo");
        ASSERT_TRUE(QTest::qWaitFor([] { return formVMenu->isVisible(); }, kCompileWaitMs));
    }
};

TEST_F(EditingSession, AnAlarmOnTwoNewEventsTwoSpooledMessagesAndADeletedStreamAreAllThatChange) {
    const QString object = work.filePath(QStringLiteral("equipment.fil"));
    QMap<QByteArray, QByteArray> before = testing::objectLines(object);
    ASSERT_TRUE(before.contains("SP:SPOOL_S10"));

    seam.modalSteps.push_back([](QWidget* w) {
        auto* ce = static_cast<TformCESet*>(w);
        for (const char* name : {"CE_E2E_SET", "CE_E2E_CLEAR"}) {
            click(ce->btnNew);
            ce->edtId->setText(name == QByteArray("CE_E2E_SET") ? "5600" : "5601");
            ce->edtName->setText(QString::fromLatin1(name));
            click(ce->btnOK);
        }
        ce->close();
    });
    press(formVMenu, "btnCE");

    seam.modalSteps.push_back([this](QWidget* w) {
        auto* al = static_cast<TformALSet*>(w);
        click(al->btnNew);
        al->edtId->setText("6500");
        al->edtName->setText("AL_E2E");
        al->edtAlcd->setText("5");
        al->edtAltx->setText("E2E alarm");
        // The set event from the picker, the clear event typed.
        seam.modalSteps.push_front([](QWidget* picker) {
            auto* p = static_cast<IdPicker*>(picker);
            for (int row = 1; row < p->SG->rowCount(); ++row)
                if (p->SG->cell(1, row).trimmed() == QStringLiteral("5600"))
                    p->SG->selectGridRow(row);
            click(p->findChild<QPushButton*>(QStringLiteral("btnOK")));
        });
        QTest::mouseDClick(al->edtCeon, Qt::LeftButton);
        al->edtCeoff->setText("5601");
        click(al->btnOK);
        al->close();
    });
    press(formVMenu, "btnALARM");

    seam.modalSteps.push_back([](QWidget* w) {
        auto* sp = static_cast<TformSPSet*>(w);
        for (const char* sxfy : {"6 11", "5 1"}) {
            const QStringList sf = QString::fromLatin1(sxfy).split(u' ');
            click(sp->btnReset);
            sp->edtS->setText(sf[0]);
            sp->edtF->setText(sf[1]);
            click(sp->btnAdd);
            click(sp->btnSet);
        }
        sp->edtS->setText("10");
        click(sp->btnDelStream);
        sp->close();
    });
    press(formVMenu, "btnSPOLL");

    EXPECT_EQ(seam.modalWindows,
              (QStringList{"formCESet", "formALSet", "formCElist", "formSPSet"}));
    EXPECT_EQ(seam.messages, QStringList{"ｽﾄﾘｰﾑ10の登録を削除しますか？"});
    EXPECT_EQ(formVMenu->Modified, 1);
    press(formVMenu, "btnSave");
    press(formVMenu, "btnCompile");
    ASSERT_TRUE(waitForMemo(formVMenu->Memo, QStringLiteral("----- Operation End -----")));
    EXPECT_EQ(file(QStringLiteral("zor_conf.end")), QStringList{"0"});

    QMap<QByteArray, QByteArray> after = testing::objectLines(object);
    const QByteArray alarm = after.take("AL:AL_E2E");
    const QByteArray set = after.take("CE:CE_E2E_SET");
    const QByteArray clear = after.take("CE:CE_E2E_CLEAR");
    const QByteArray s6 = after.take("SP:SP_S6");
    const QByteArray s5 = after.take("SP:SP_S5");
    EXPECT_FALSE(after.contains("SP:SPOOL_S10"));
    before.remove("SP:SPOOL_S10");
    EXPECT_EQ(after, before);
    EXPECT_EQ(alarm,
              "AL: NAME00000006AL_E2EID  00001964ALCD000000015ALTX00000009E2E alarm"
              "CEON0000000aCE_E2E_SETCEOF0000000cCE_E2E_CLEARENAB00000004TRUE")
        << alarm.toStdString();
    EXPECT_TRUE(set.contains("ID  000015e0")) << set.toStdString();
    EXPECT_TRUE(clear.contains("ID  000015e1")) << clear.toStdString();
    EXPECT_EQ(s6, "SP: NAME00000005SP_S6STRE00000006COUN00000001FUNC0000000b");
    EXPECT_EQ(s5, "SP: NAME00000005SP_S5STRE00000005COUN00000001FUNC00000001");
}
}  // namespace
}  // namespace zor::editor
