#include "editor/forms/formspset.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>

#include "editor/forms/link_editor_test.h"
#include "editor/forms/spool_record.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

QStringList shownFunctions(const QListWidget* lb) {
    QStringList texts;
    for (int i = 0; i < lb->count(); ++i) texts << lb->item(i)->text();
    return texts;
}

// The grid's messages down to the first empty row.
QStringList gridMessages(const StringGrid* grid) {
    QStringList out;
    for (int row = 1; row < grid->rowCount() && !grid->cell(1, row).isEmpty(); ++row)
        out << grid->cell(1, row);
    return out;
}

std::vector<int32_t> held(int stream) {
    std::vector<int32_t> f;
    EXPECT_TRUE(spoolFunctions(stream, &f));
    return f;
}

class SpoolEditor : public LinkEditorTest {
  protected:
    TformSPSet& open() { return openForm(formSPSet); }
    void add(TformSPSet& f, const char* stream, const char* function) {
        f.edtS->setText(QString::fromLatin1(stream));
        f.edtF->setText(QString::fromLatin1(function));
        press(f.btnAdd);
    }
};

TEST_F(SpoolEditor, OpensOnEveryRegisteredMessage) {
    TformSPSet& f = open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("スプールメッセージの設定"));
    EXPECT_EQ(f.SG1->cell(0, 0), QStringLiteral("番号"));
    EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("SxFy"));
    EXPECT_EQ(f.SG1->rowCount(), 32);
    EXPECT_EQ(f.SG1->cell(0, 1), QStringLiteral("  1"));
    EXPECT_EQ(f.SG1->cell(0, 31), QStringLiteral("  31"));
    EXPECT_EQ(gridMessages(f.SG1), (QStringList{"S5F1", "S6F11", "S6F13"}));
    EXPECT_EQ(f.edtS->text(), QStringLiteral("2"));
    EXPECT_EQ(f.edtF->text(), QStringLiteral("1"));
    EXPECT_EQ(f.lbF->count(), 0);
    EXPECT_EQ(script.beeps, 0);
}

TEST_F(SpoolEditor, StreamsOutsideTwoToSixteenAndMoreThanThirtyOneMessagesAreShown) {
    QString extra = QStringLiteral(
        "def_spool SP_S1 {\n    stream : 1\n    function : 3\n}\n"
        "def_spool SP_S200 {\n    stream : 200\n    function : 9\n}\n"
        "def_spool SP_S17 {\n    stream : 17\n    function : 1\n}\n"
        "def_spool SP_S7 {\n    stream : 7\n");
    for (int fn = 1; fn <= 61; fn += 2) extra += QStringLiteral("    function : %1\n").arg(fn);
    reload(sampleWith(extra + QStringLiteral("}\n")));
    TformSPSet& f = open();
    QStringList expected{"S1F3", "S5F1", "S6F11", "S6F13"};
    for (int fn = 1; fn <= 61; fn += 2) expected << QStringLiteral("S7F%1").arg(fn);
    expected << "S17F1"
             << "S200F9";
    EXPECT_EQ(gridMessages(f.SG1), expected);
    EXPECT_EQ(f.SG1->rowCount(), expected.size() + 1);
    EXPECT_EQ(f.SG1->cell(0, expected.size()), QStringLiteral("  %1").arg(expected.size()));

    // Deleting everything asks first: the user sees what would go.
    script.answers = {false};
    press(f.btnDel);
    EXPECT_EQ(script.questions, QStringList{"全ｽﾄﾘｰﾑの登録を削除しますか？"});
    EXPECT_EQ(held(200), std::vector<int32_t>{9});
    EXPECT_EQ(formVMenu->Modified, 0);
    press(f.btnDel);
    EXPECT_TRUE(held(200).empty());
    EXPECT_TRUE(gridMessages(f.SG1).isEmpty());
    EXPECT_EQ(f.SG1->rowCount(), 32);
    EXPECT_EQ(formVMenu->Modified, 1);
}

TEST_F(SpoolEditor, TheCurrentSettingFillsTheListAndSetReplacesIt) {
    TformSPSet& f = open();
    f.edtS->setText("6");
    press(f.btnCurrent);
    EXPECT_EQ(shownFunctions(f.lbF), (QStringList{"11", "13"}));
    add(f, "6", "13");  // once a list
    EXPECT_EQ(script.messages, QStringList{"Function 13 は既にﾘｽﾄにあります。"});
    add(f, "6", "5");
    EXPECT_EQ(shownFunctions(f.lbF), (QStringList{"11", "13", "5"}));
    press(f.btnSet);
    EXPECT_TRUE(script.questions.isEmpty());  // nothing of stream 6 goes
    EXPECT_EQ(held(6), (std::vector<int32_t>{11, 13, 5}));
    EXPECT_EQ(gridMessages(f.SG1), (QStringList{"S5F1", "S6F11", "S6F13", "S6F5"}));
    EXPECT_EQ(formVMenu->Modified, 1);
    EXPECT_EQ(script.beeps, 1);
    // The list stays for another stream; a stream without a setting empties it.
    f.edtS->setText("9");
    press(f.btnSet);
    EXPECT_EQ(held(9), (std::vector<int32_t>{11, 13, 5}));
    f.edtS->setText("10");
    press(f.btnCurrent);
    EXPECT_EQ(f.lbF->count(), 0);
    EXPECT_TRUE(f.functionList().empty());
    f.edtS->setText("128");
    press(f.btnCurrent);
    EXPECT_EQ(script.messages.last(), QStringLiteral("ｽﾄﾘｰﾑの値を確認してください。"));
}

TEST_F(SpoolEditor, SetWithoutTheCurrentSettingAsksBeforeDroppingFunctions) {
    TformSPSet& f = open();
    add(f, "6", "11");
    add(f, "6", "15");
    script.answers = {false};
    press(f.btnSet);
    EXPECT_EQ(script.questions, QStringList{"ｽﾄﾘｰﾑ6の現設定の F13 はFunctionﾘｽﾄにありません。\n"
                                            "Functionﾘｽﾄで置き換えますか？"});
    EXPECT_EQ(held(6), (std::vector<int32_t>{11, 13}));
    EXPECT_EQ(formVMenu->Modified, 0);
    press(f.btnSet);  // Yes
    EXPECT_EQ(held(6), (std::vector<int32_t>{11, 15}));
    EXPECT_EQ(gridMessages(f.SG1), (QStringList{"S5F1", "S6F11", "S6F15"}));

    // An empty list sets the stream with no function, after asking.
    press(f.btnReset);
    f.edtS->setText("5");
    press(f.btnSet);
    EXPECT_EQ(script.questions.size(), 3);
    EXPECT_TRUE(held(5).empty());
    EXPECT_EQ(gridMessages(f.SG1), (QStringList{"S6F11", "S6F15"}));
}

TEST_F(SpoolEditor, SetAndDeleteCheckTheStreamAndDeleteAsksFirst) {
    TformSPSet& f = open();
    add(f, "6", "1");
    for (const char* stream : {"128", "-1", " "}) {
        f.edtS->setText(QString::fromLatin1(stream));
        press(f.btnSet);
        press(f.btnDelStream);
    }
    f.edtS->setText("x");
    press(f.btnSet);
    EXPECT_EQ(script.messages,
              (QStringList{"ｽﾄﾘｰﾑの値を確認してください。", "ｽﾄﾘｰﾑの値を確認してください。",
                           "ｽﾄﾘｰﾑの値を確認してください。", "ｽﾄﾘｰﾑの値を確認してください。",
                           "ｽﾄﾘｰﾑを確認してください。", "ｽﾄﾘｰﾑを確認してください。",
                           "'x' は整数ではありません"}));
    EXPECT_EQ(formVMenu->Modified, 0);

    f.edtS->setText("6");
    script.answers = {false, true};
    press(f.btnDelStream);
    EXPECT_EQ(held(6), (std::vector<int32_t>{11, 13}));
    press(f.btnDelStream);
    EXPECT_EQ(script.questions,
              (QStringList{"ｽﾄﾘｰﾑ6の登録を削除しますか？", "ｽﾄﾘｰﾑ6の登録を削除しますか？"}));
    EXPECT_TRUE(held(6).empty());
    EXPECT_EQ(gridMessages(f.SG1), QStringList{"S5F1"});
    EXPECT_EQ(formVMenu->Modified, 1);
}

TEST_F(SpoolEditor, AStreamOfTwoHundredFiftySixFunctionsLoadsWholeAndTakesNoMore) {
    // A source may spool replies and repeat functions; the list holds what it holds.
    QString extra = QStringLiteral("def_spool SP_FULL {\n    stream : 9\n");
    for (int i = 0; i < 256; ++i) extra += QStringLiteral("    function : %1\n").arg(i % 128 * 2);
    reload(sampleWith(extra + QStringLiteral("}\n")));
    TformSPSet& f = open();
    f.edtS->setText("9");
    press(f.btnCurrent);
    ASSERT_EQ(f.lbF->count(), 256);
    EXPECT_EQ(f.lbF->item(255)->text(), QStringLiteral("254"));
    add(f, "9", "1");
    EXPECT_EQ(script.messages, QStringList{"Functionﾘｽﾄは256件までです。"});
    EXPECT_EQ(f.functionList().size(), 256u);
    press(f.btnSet);
    EXPECT_EQ(held(9).size(), 256u);
    EXPECT_EQ(gridMessages(f.SG1).size(), 3 + 256);
}

}  // namespace
}  // namespace zor::editor
