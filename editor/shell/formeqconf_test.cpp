#include "editor/shell/formeqconf.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>

#include "editor/shell/env_session_test.h"
#include "editor/shell/history.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {
namespace {

class FileChooser : public EnvSession {
  protected:
    QString historyFile() const { return path(QStringLiteral("eq_conf.his")); }
    QStringList history() const { return readTextLines(historyFile()); }
    void open() { eqConf.show(); }
};

TEST_F(FileChooser, TheStoredSoftTypeSelectsTheChooserEntry) {
    ASSERT_EQ(eqConf.ComboBox1->count(), 3);
    EXPECT_EQ(eqConf.ComboBox1->itemText(0), QStringLiteral(" VUVIVA-DOV ｴﾝｼﾞﾝﾗｲﾌﾞﾗﾘ"));
    EXPECT_EQ(eqConf.ComboBox1->itemText(1), QStringLiteral(" ZOREng4   装置通信ｴﾝｼﾞﾝ"));
    EXPECT_EQ(eqConf.ComboBox1->itemText(2), QStringLiteral(" VUVIZA3   装置通信ｴﾝｼﾞﾝ"));
    writeTextLines(historyFile(), {QStringLiteral("/plant/a.cnf"), QStringLiteral("/plant/b.cnf")});

    const struct {
        const char* stored;  // nullptr: no "soft_type.his"
        int type;
    } cases[] = {{"2", 2}, {"5", 0}, {"1", 1}, {"-1", 0}, {nullptr, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "none");
        eqConf.ComboBox1->setCurrentIndex(1);
        if (c.stored)
            writeTextLines(QString::fromLatin1(kSoftTypeFile), {QString::fromLatin1(c.stored)});
        else
            QFile::remove(QString::fromLatin1(kSoftTypeFile));
        open();
        EXPECT_EQ(eqConf.ComboBox1->currentIndex(), c.type);
        EXPECT_EQ(eqConf.softType, c.type);
        EXPECT_EQ(eqConf.edtFile->text(), QStringLiteral("/plant/a.cnf"));
        eqConf.close();
    }
    EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join(u'\n').toStdString();

    // Not a number: the standard message, and the rest of the set-up is skipped.
    writeTextLines(QString::fromLatin1(kSoftTypeFile), {QStringLiteral("two")});
    open();
    EXPECT_EQ(script.messages, QStringList{QStringLiteral("'two' は整数ではありません")});
    EXPECT_EQ(eqConf.edtFile->text(), QString());
}

// An assistive tool lists the software types and chooses one through the
// table interface, as a click in the list does.
TEST_F(FileChooser, AnAssistiveToolReadsAndChoosesTheSoftType) {
    QAccessibleInterface* chooser = QAccessible::queryAccessibleInterface(eqConf.ComboBox1);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->role(), QAccessible::ComboBox);
    EXPECT_EQ(chooser->text(QAccessible::Name), QStringLiteral("対象ｿﾌﾄ選択"));
    QAccessibleTableInterface* choices = chooser->tableInterface();
    ASSERT_NE(choices, nullptr);
    ASSERT_EQ(choices->rowCount(), 3);
    ASSERT_EQ(chooser->childCount(), 3);
    for (int row = 0; row < 3; ++row) {
        QAccessibleInterface* item = choices->cellAt(row, 0);
        ASSERT_NE(item, nullptr) << row;
        EXPECT_EQ(item, chooser->child(row)) << row;
        EXPECT_EQ(chooser->indexOfChild(item), row);
        EXPECT_EQ(item->parent(), chooser);
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        EXPECT_EQ(item->text(QAccessible::Name), eqConf.ComboBox1->itemText(row));
    }
    EXPECT_EQ(choices->cellAt(0, 1), nullptr);

    eqConf.ComboBox1->setCurrentIndex(0);
    EXPECT_TRUE(choices->selectRow(2));
    EXPECT_EQ(eqConf.ComboBox1->currentIndex(), 2);
    EXPECT_EQ(eqConf.softType, 2);
    EXPECT_EQ(choices->selectedRows(), QList<int>{2});
    EXPECT_EQ(choices->selectedCells(), QList<QAccessibleInterface*>{chooser->child(2)});
    EXPECT_TRUE(choices->isRowSelected(2));
    EXPECT_FALSE(choices->isRowSelected(0));
    EXPECT_TRUE(chooser->child(2)->state().selected);
    EXPECT_FALSE(chooser->child(0)->state().selected);
    EXPECT_EQ(chooser->text(QAccessible::Value), eqConf.ComboBox1->itemText(2));

    // A choice always holds one: nothing unselects it, nothing outside the
    // list or on a disabled chooser is chosen.
    EXPECT_FALSE(choices->unselectRow(2));
    EXPECT_FALSE(choices->selectRow(3));
    EXPECT_FALSE(choices->selectRow(-1));
    eqConf.ComboBox1->setEnabled(false);
    EXPECT_FALSE(choices->selectRow(1));
    eqConf.ComboBox1->setEnabled(true);
    EXPECT_EQ(eqConf.softType, 2);
    EXPECT_EQ(choices->selectedRowCount(), 1);
}

TEST_F(FileChooser, OpenNamesTheFileForTheGridAndPutsItFirstInTheHistory) {
    writeTextLines(historyFile(),
                   {QStringLiteral("/plant/old/a.cnf"), QStringLiteral("/plant/b.cnf")});
    open();
    eqConf.ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(eqConf.softType, 2);
    press(eqConf, "btnOpen");  // cancelled
    ASSERT_EQ(script.fileRequests.size(), 1);
    const FileRequest& r = script.fileRequests[0];
    EXPECT_EQ(r.title, QStringLiteral("装置環境定義ﾌｧｲﾙ名(*.cnf)を開きます。"));
    EXPECT_EQ(r.filter, QStringLiteral("装置環境定義ﾌｧｲﾙ(*.cnf)|*.cnf|All Files(*.*)|*.*|"));
    EXPECT_EQ(r.directory, QStringLiteral("/plant/old"));
    EXPECT_EQ(r.fileName, QStringLiteral("a.cnf"));
    EXPECT_EQ(eqConf.edtFile->text(), QStringLiteral("/plant/old/a.cnf"));

    script.files.push_back(QStringLiteral("/plant/b.cnf"));
    press(eqConf, "btnOpen");
    EXPECT_EQ(eqConf.edtFile->text(), QStringLiteral("/plant/b.cnf"));
    EXPECT_EQ(grid.filePath, QStringLiteral("/plant/b.cnf"));
    EXPECT_EQ(history(),
              (QStringList{QStringLiteral("/plant/b.cnf"), QStringLiteral("/plant/old/a.cnf")}));
    EXPECT_EQ(eqConf.softType, 2);  // coming back from the dialog keeps the choice
}

TEST_F(FileChooser, ReopenTakesTheLineChosenInThePicker) {
    open();
    press(eqConf, "btnReopen");
    EXPECT_EQ(script.messages, QStringList{QStringLiteral("以前開いたﾌｧｲﾙはありません。")});
    EXPECT_TRUE(script.modalWindows.isEmpty());

    writeTextLines(historyFile(),
                   {QStringLiteral("/a.cnf"), QStringLiteral("/b.cnf"), QStringLiteral("/c.cnf")});
    script.modalSteps.push_back([](QWidget* w) {
        auto* list = w->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_Return);
    });
    press(eqConf, "btnReopen");
    EXPECT_EQ(script.modalWindows, QStringList{QStringLiteral("formHist")});
    EXPECT_EQ(hist.fileName, historyFile());
    EXPECT_EQ(eqConf.edtFile->text(), QStringLiteral("/c.cnf"));
    EXPECT_EQ(grid.filePath, QStringLiteral("/c.cnf"));
    EXPECT_EQ(history(), (QStringList{QStringLiteral("/c.cnf"), QStringLiteral("/a.cnf"),
                                      QStringLiteral("/b.cnf")}));

    script.modalSteps.push_back([](QWidget* w) {
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("BTN_cancel")), Qt::LeftButton);
    });
    press(eqConf, "btnReopen");
    EXPECT_EQ(eqConf.edtFile->text(), QStringLiteral("/c.cnf"));
    EXPECT_EQ(history().size(), 3);
}

TEST_F(FileChooser, GoWithoutANameOpensANewGridThatAsksForANameOnSave) {
    writeTextLines(historyFile(), {QStringLiteral("/a.cnf")});
    open();
    press(eqConf, "btnNew");
    eqConf.ComboBox1->setCurrentIndex(1);
    QStringList seen;
    script.modalSteps.push_back([&](QWidget*) {
        seen = script.messages;
        EXPECT_EQ(grid.windowTitle(), QStringLiteral("ZOREng4 装置起動情報設定"));
        press(grid, "btnSave");
    });
    press(eqConf, "btnGo");
    EXPECT_EQ(script.modalWindows, QStringList{QStringLiteral("formCGrid")});
    EXPECT_EQ(seen, QStringList{QStringLiteral("新規ファイルの作成を行います。")});
    EXPECT_EQ(script.messages.last(), QStringLiteral("ﾌｧｲﾙ名を設定してください。"));
    EXPECT_EQ(script.beeps, 0);
    // The empty name goes first into the history, as a blank line.
    EXPECT_EQ(history(), (QStringList{QString(), QStringLiteral("/a.cnf")}));
    EXPECT_EQ(bytes(QString::fromLatin1(kSoftTypeFile)), QByteArray("1\r\n"));
    EXPECT_FALSE(eqConf.isVisible());
    EXPECT_TRUE(main.isVisible());
}

TEST_F(FileChooser, GoHandsTheTrimmedNameToTheGridAndRemembersIt) {
    const QString file = path(QStringLiteral("plant.cnf"));
    EnvSession::write(file, "LOG_SIZE = 777\r\n");
    open();
    eqConf.edtFile->setText(QStringLiteral("  ") + file + QStringLiteral(" "));
    QString shown;
    script.modalSteps.push_back([&](QWidget*) { shown = grid.SG->cell(2, 3); });
    press(eqConf, "btnGo");
    EXPECT_EQ(grid.filePath, file);
    EXPECT_EQ(shown, QStringLiteral("777"));
    EXPECT_EQ(history(), QStringList{file});
    EXPECT_EQ(bytes(QString::fromLatin1(kSoftTypeFile)), QByteArray("0\r\n"));
}

}  // namespace
}  // namespace zor::editor
