#include "editor/shell/formcgrid.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QFileInfo>
#include <QLineEdit>
#include <csignal>

#include "editor/shell/env_session_test.h"
#include "editor/shell/library.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {
namespace {

struct KeyValue {
    const char* key;
    QString value;
};

// Every key of both sets with a value of its own, so a value that lands in
// the wrong field or row shows.
// clang-format off
const QList<KeyValue> kSetA = {
    {"LOG_PATH", QStringLiteral("C:\\表示\\LOG")},  // 表 ends in the byte of a backslash
    {"LOG_FILE", QStringLiteral("zor eng.log")},
    {"LOG_SIZE", QStringLiteral("10000")},
    {"BKUP_PATH", QStringLiteral("D:\\BACKUP")},
    {"INFO_FILE", QStringLiteral("装置.fil")},
    {"INFO_BACKUP", QStringLiteral("1")},
    {"PP_COUNT", QStringLiteral("201")},
    {"FPP_COUNT", QStringLiteral("202")},
    {"RCP_COUNT", QStringLiteral("203")},
    {"CAR_COUNT", QStringLiteral("204")},
    {"CAR_CAPACITY", QStringLiteral("205")},
    {"SUBST_COUNT", QStringLiteral("-206")},
    {"CJ_COUNT", QStringLiteral("207")},
    {"PRJ_COUNT", QStringLiteral("208")},
    {"TRACE_COUNT", QStringLiteral("209")},
    {"SPOOL_PATH", QStringLiteral("C:\\SPOOL")},
    {"COMM_SIDE", QStringLiteral("HOST")},
    {"COMM_PORT", QStringLiteral("5000")},
    {"COMM_DEVICE", QStringLiteral("7")},
    {"S1F13_SEND", QStringLiteral("2")},
};

const QList<KeyValue> kSetB = {
    {"ENG_PATH", QStringLiteral("/opt/eng")},
    {"ENG_FILE", QStringLiteral("/opt/eng/bin/daemon")},
    {"BKUP_PATH", QStringLiteral("/opt/eng/バックアップ")},
    {"SPOOL_PATH", QStringLiteral("/opt/eng/spool")},
    {"LOG_PATH", QStringLiteral("/opt/eng/log")},
    {"SHMFILE", QStringLiteral("shm.dat")},
    {"SHMNAME", QStringLiteral("ZORSHM")},
    {"COMMDEF", QStringLiteral("comm.def")},
    {"APPLOG", QStringLiteral("app.log")},
    {"APPLOG_ON", QStringLiteral("1")},
    {"APPLOG_SIZE", QStringLiteral("3000")},
    {"ENGLOG", QStringLiteral("eng.log")},
    {"ENGLOG_ON", QStringLiteral("0")},
    {"ENGLOG_SIZE", QStringLiteral("4000")},
    {"INFO_FILE", QStringLiteral("equipment.fil")},
    {"IPC_APP1", QStringLiteral("ipc_app")},
    {"IPC_ENG1", QStringLiteral("ipc_eng")},
    {"IPC_TIMEOUT", QStringLiteral("30")},
    {"PP_COUNT", QStringLiteral("301")},
    {"FPP_COUNT", QStringLiteral("302")},
    {"RCP_COUNT", QStringLiteral("303")},
    {"CAR_COUNT", QStringLiteral("304")},
    {"CAR_CAPACITY", QStringLiteral("305")},
    {"SUBST_COUNT", QStringLiteral("306")},
    {"CJ_COUNT", QStringLiteral("307")},
    {"PRJ_COUNT", QStringLiteral("308")},
    {"TRACE_COUNT", QStringLiteral("309")},
};
// clang-format on

class KeyGrid : public EnvSession {
  protected:
    StringGrid* sg() { return grid.SG; }
    // Shows the grid for `type` on `file`, as formEqConf's btnGo leaves it.
    void open(int type, const QString& file) {
        eqConf.softType = type;
        grid.filePath = file;
        grid.show();
    }
    void closeGrid() { grid.close(); }
};

TEST_F(KeyGrid, ATypeZeroGridWithoutValuesSavesTheHeaderAnEmptyLineAndTwentyPaddedKeys) {
    open(0, QString());
    grid.edtFile->setText(QStringLiteral(" ") + path(QStringLiteral("new.cnf")) +
                          QStringLiteral(" "));
    press(grid, "btnSave");
    const QByteArray expected = "//----- new.cnf -" +
                                QByteArray::fromHex("20919592758ac28bab92e88b60837483408343838b") +
                                " -----------------------\r\n"
                                "\r\n"
                                "LOG_PATH         = \r\n"
                                "LOG_FILE         = \r\n"
                                "LOG_SIZE         = \r\n"
                                "BKUP_PATH        = \r\n"
                                "INFO_FILE        = \r\n"
                                "INFO_BACKUP      = \r\n"
                                "PP_COUNT         = \r\n"
                                "FPP_COUNT        = \r\n"
                                "RCP_COUNT        = \r\n"
                                "CAR_COUNT        = \r\n"
                                "CAR_CAPACITY     = \r\n"
                                "SUBST_COUNT      = \r\n"
                                "CJ_COUNT         = \r\n"
                                "PRJ_COUNT        = \r\n"
                                "TRACE_COUNT      = \r\n"
                                "SPOOL_PATH       = \r\n"
                                "COMM_SIDE        = \r\n"
                                "COMM_PORT        = \r\n"
                                "COMM_DEVICE      = \r\n"
                                "S1F13_SEND       = \r\n";
    EXPECT_EQ(bytes(path(QStringLiteral("new.cnf"))), expected);
    EXPECT_EQ(grid.filePath, path(QStringLiteral("new.cnf")));
    EXPECT_EQ(script.beeps, 1);
}

TEST_F(KeyGrid, TheCaptionAndTheKeysFollowTheSoftwareType) {
    open(0, QString());
    EXPECT_EQ(grid.windowTitle(), QStringLiteral("VUVIVA-DOV 装置起動情報設定"));
    EXPECT_EQ(sg()->cell(0, 0), QStringLiteral("番号"));
    EXPECT_EQ(sg()->cell(3, 0), QStringLiteral("ｺﾏﾝﾄﾞの意味"));
    EXPECT_EQ(sg()->cell(0, 1), QStringLiteral("  1"));
    EXPECT_EQ(sg()->cell(0, 29), QStringLiteral(" 29"));
    EXPECT_EQ(sg()->cell(3, 20), QStringLiteral(" 通信確立方法 -  0 or 1=ﾎｽﾄ主導, 2=通常"));
    EXPECT_EQ(sg()->cell(1, 21), QString());
    EXPECT_FALSE(sg()->item(1, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(sg()->item(1, 2)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(script.messages, QStringList{QStringLiteral("新規ファイルの作成を行います。")});
    closeGrid();

    open(1, QString());
    EXPECT_EQ(grid.windowTitle(), QStringLiteral("ZOREng4 装置起動情報設定"));
    EXPECT_EQ(sg()->cell(1, 20), QStringLiteral("S1F13_SEND"));
    closeGrid();

    open(2, QString());
    EXPECT_EQ(grid.windowTitle(), QStringLiteral("VUVIZA3 装置起動情報設定"));
    EXPECT_EQ(sg()->cell(1, 27), QStringLiteral("TRACE_COUNT"));
    EXPECT_EQ(sg()->cell(1, 28), QString());
    EXPECT_EQ(sg()->cell(1, 20), QStringLiteral("FPP_COUNT"));  // nothing of set A left over
}

TEST_F(KeyGrid, AFileWrittenByTheGridReadsBackIntoTheSameGrid) {
    for (auto [type, set] : {std::pair{0, &kSetA}, std::pair{2, &kSetB}}) {
        SCOPED_TRACE(type);
        const QString file = path(QStringLiteral("type%1.cnf").arg(type));
        open(type, file);
        for (int i = 0; i < set->size(); ++i) {
            ASSERT_EQ(sg()->cell(1, i + 1), QString::fromLatin1((*set)[i].key));
            sg()->setCell(2, i + 1, (*set)[i].value);
        }
        press(grid, "btnSave");
        closeGrid();
        lib::terminateLibrary();  // nothing of this write may linger in the library

        script.messages.clear();
        open(type, file);
        EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join(u'\n').toStdString();
        for (int i = 0; i < set->size(); ++i)
            EXPECT_EQ(sg()->cell(2, i + 1), (*set)[i].value) << (*set)[i].key;
        EXPECT_EQ(sg()->cell(2, set->size() + 1), QString());
        closeGrid();
    }
}

TEST_F(KeyGrid, TypeOneAlwaysShowsTheEquipmentSide) {
    const QString file = path(QStringLiteral("host.cnf"));
    write(file, "COMM_SIDE        = HOST\r\nCOMM_PORT        = 6000\r\n");
    open(1, file);
    EXPECT_EQ(sg()->cell(2, 17), QStringLiteral("EQUIPMENT"));
    EXPECT_EQ(sg()->cell(2, 18), QStringLiteral("6000"));
    EXPECT_EQ(sg()->cell(2, 1), QString());  // a text key not in the file
    closeGrid();
    open(0, file);
    EXPECT_EQ(sg()->cell(2, 17), QStringLiteral("HOST"));
}

TEST_F(KeyGrid, TheSampleEnvironmentFileFillsTheGrid) {
    open(0, QStringLiteral(ZOR_EXAMPLES_DIR "/equipment.cnf"));
    EXPECT_EQ(grid.edtFile->text(), QStringLiteral(ZOR_EXAMPLES_DIR "/equipment.cnf"));
    EXPECT_EQ(sg()->cell(2, 1), QStringLiteral("C:\\CVD300\\LOG"));
    EXPECT_EQ(sg()->cell(2, 3), QStringLiteral("10000"));
    EXPECT_EQ(sg()->cell(2, 17), QStringLiteral("EQUIPMENT"));
    EXPECT_EQ(sg()->cell(2, 20), QStringLiteral("2"));
}

TEST_F(KeyGrid, AFailedSaveIsShownAndKeepsTheOldFile) {
    const QString file = path(QStringLiteral("plant.cnf"));
    write(file, "OLD\r\n");
    open(0, QString());
    grid.edtFile->setText(file);
    sg()->setCell(2, 1, QStringLiteral("C:\\\U0001F600"));
    press(grid, "btnSave");
    ASSERT_EQ(script.messages.size(), 2);
    EXPECT_TRUE(script.messages[1].contains(QStringLiteral("Shift-JIS")))
        << script.messages[1].toStdString();
    EXPECT_EQ(bytes(file), QByteArray("OLD\r\n"));

    // A disk that fills up half way: writing in place would leave 64 bytes.
    sg()->setCell(2, 1, QString(400, u'x'));
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 64;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    press(grid, "btnSave");
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(script.messages.last().startsWith(QStringLiteral("入出力エラー: ") + file))
        << script.messages.last().toStdString();
    EXPECT_EQ(bytes(file), QByteArray("OLD\r\n"));

    const QString lost = path(QStringLiteral("no/such/dir/plant.cnf"));
    grid.edtFile->setText(lost);
    sg()->setCell(2, 1, QStringLiteral("C:\\LOG"));
    press(grid, "btnSave");
    EXPECT_TRUE(script.messages.last().startsWith(QStringLiteral("入出力エラー: ") + lost))
        << script.messages.last().toStdString();
    EXPECT_EQ(script.beeps, 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plant.cnf")});
}

TEST_F(KeyGrid, SaveAsWritesTheChosenFileAndMakesItCurrent) {
    const QString first = path(QStringLiteral("plant.cnf"));
    const QString second = path(QStringLiteral("copy.cnf"));
    open(0, first);
    press(grid, "btnSaveAs");  // cancelled: nothing happens
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_EQ(script.beeps, 0);
    ASSERT_EQ(script.fileRequests.size(), 1);
    EXPECT_EQ(script.fileRequests[0].directory, dir.path());
    EXPECT_EQ(script.fileRequests[0].fileName, QStringLiteral("plant.cnf"));
    EXPECT_EQ(script.fileRequests[0].filter, QStringLiteral("装置環境定義ﾌｧｲﾙ(*.cnf)|*.cnf"));

    script.files.push_back(second);
    sg()->setCell(2, 3, QStringLiteral("500"));
    press(grid, "btnSaveAs");
    EXPECT_TRUE(bytes(second).contains("LOG_SIZE         = 500\r\n"));
    EXPECT_EQ(grid.edtFile->text(), second);
    EXPECT_EQ(grid.filePath, second);
    EXPECT_EQ(script.beeps, 1);
}

TEST_F(KeyGrid, TheEditorButtonStartsTheTextEditorOnTheFileNamed) {
    open(0, QString());
    grid.edtFile->setText(path(QStringLiteral("plant.cnf")));
    press(grid, "btnEditor");
    EXPECT_EQ(script.messages.last(), QStringLiteral(" Editor  notepad.exe  が見つかりせん"));

    // A stand-in editor that records the file it was started on.
    const QString editor = path(QStringLiteral("editor.sh"));
    write(editor, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.seen\"\n");
    QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    main.textEditorPath = editor;
    press(grid, "btnEditor");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo(editor + ".seen").size() > 0; }, 5000));
    EXPECT_EQ(bytes(editor + ".seen"), path(QStringLiteral("plant.cnf")).toUtf8());
}

TEST_F(KeyGrid, CancelClosesWithoutSavingOrAsking) {
    const QString file = path(QStringLiteral("plant.cnf"));
    open(0, file);
    sg()->setCell(2, 1, QStringLiteral("C:\\LOG"));
    press(grid, "btnCancel");
    EXPECT_FALSE(grid.isVisible());
    EXPECT_EQ(grid.tag(), 0);
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(script.questions.isEmpty());
}

}  // namespace
}  // namespace zor::editor
