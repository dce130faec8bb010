#include "editor/forms/formalset.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "editor/forms/link_editor_test.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

struct HeldAlarm {
    int rc;
    QString text;  // "alcd altx aled ce_on ce_off deleted"
};
HeldAlarm heldAlarm(int32_t alid) {
    lib::Record<TAL_INFO> r;
    HeldAlarm h{GemGetAlInfo(0, alid, r.get()), {}};
    if (h.rc == 0)
        h.text = QStringLiteral("%1 [%2] %3 %4 %5 %6")
                     .arg(r->alcd)
                     .arg(fromSjis(r->altx))
                     .arg(r->aled)
                     .arg(r->ce_on)
                     .arg(r->ce_off)
                     .arg(r->deleted);
    return h;
}

class AlarmEditor : public LinkEditorTest {
  protected:
    TformALSet& open() { return openForm(formALSet); }
    void fillNew(TformALSet& f, const char* id, const char* name, const char* alcd) {
        press(f.btnNew);
        f.edtId->setText(QString::fromUtf8(id));
        f.edtName->setText(QString::fromUtf8(name));
        f.edtAlcd->setText(QString::fromUtf8(alcd));
    }
    // Types into a CEID box as the user does and leaves it.
    void typeCeid(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        emit box->editingFinished();
    }
};

TEST_F(AlarmEditor, OpensOnTheAlarmListAndShowsAnAlarmWithItsEventNames) {
    TformALSet& f = open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("AL アラームの設定"));
    EXPECT_EQ(listedIds(f.SG1), (QStringList{"6001", "6002", "6003"}));
    EXPECT_EQ(f.SG1->rowCount(), 3 + 16);
    EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("ALID"));
    EXPECT_EQ(f.SG1->cell(0, 18), QStringLiteral("  18"));
    EXPECT_EQ(f.currentListRow(), 1);
    EXPECT_EQ(f.CB->currentText(), QStringLiteral("Enable"));
    EXPECT_EQ(script.beeps, 1);  // opening resets the detail

    editRow(f, "6003");
    EXPECT_EQ(f.edtId->text(), QStringLiteral("6003"));
    EXPECT_EQ(f.edtName->text(), QStringLiteral("AL_DOOR_OPEN"));
    EXPECT_EQ(f.edtAlcd->text(), QStringLiteral("1"));
    EXPECT_EQ(f.edtAltx->text(), QStringLiteral("扉開放: 表示ランプ確認"));
    EXPECT_EQ(f.CB->currentText(), QStringLiteral("Disable"));
    EXPECT_EQ(f.edtCeon->text(), QStringLiteral("5009"));
    EXPECT_EQ(f.labCeon->text(), QStringLiteral("CE_ALARM_DOOR_SET"));
    EXPECT_EQ(f.edtCeoff->text(), QStringLiteral("5010"));
    EXPECT_EQ(f.labCeoff->text(), QStringLiteral("CE_ALARM_DOOR_CLEAR"));

    // New empties every box and both names; the ALED choice stays.
    press(f.btnNew);
    for (QLineEdit* box : {f.edtId, f.edtAlcd, f.edtAltx, f.edtCeon, f.edtCeoff})
        EXPECT_EQ(box->text(), QString()) << box->objectName().toStdString();
    EXPECT_EQ(f.edtName->text(), QStringLiteral("AL_"));
    EXPECT_EQ(f.labCeon->text(), QString());
    EXPECT_EQ(f.labCeoff->text(), QString());
    EXPECT_EQ(f.CB->currentText(), QStringLiteral("Disable"));
}

TEST_F(AlarmEditor, ARefusalEndsTheClickWithNothingSentAndTheDetailKept) {
    TformALSet& f = open();
    const int beeps = script.beeps;
    fillNew(f, "6100", "AL_NEW", "300");
    press(f.btnOK);
    fillNew(f, "-1", "AL_NEW", "3");
    press(f.btnOK);
    fillNew(f, "6100", "AL_NEW", "");
    press(f.btnOK);
    EXPECT_EQ(script.messages,
              (QStringList{"alcdを確認してください。", "IDの値が正しくありません。",
                           "alcdを確認してください。"}));
    EXPECT_EQ(heldAlarm(6100).rc, ZOR_E_NOTFOUND);
    EXPECT_EQ(heldAlarm(-1).rc, ZOR_E_NOTFOUND);
    EXPECT_EQ(formVMenu->Modified, 0);
    EXPECT_EQ(script.beeps, beeps + 3);  // the three New presses only
    EXPECT_EQ(f.edtName->text(), QStringLiteral("AL_NEW"));

    // Giving an existing ALID another name is a duplicate, sent nowhere.
    editRow(f, "6002");
    f.edtName->setText("AL_RENAMED");
    press(f.btnOK);
    EXPECT_EQ(script.messages.last(),
              QStringLiteral("IDが重複しています。 2番目を確認してください。"));
    EXPECT_EQ(lib::binList(GemGetAlList)[1].name, QStringLiteral("AL_VACUUM_LEAK"));
}

TEST_F(AlarmEditor, AlarmZeroWithTypedEventsIsStoredAndAnUnknownEventIsShownAsSuch) {
    TformALSet& f = open();
    fillNew(f, "0", "AL_ZERO", "255");
    f.edtAltx->setText("  edge blanks stay  ");
    f.CB->setCurrentIndex(0);
    typeCeid(f.edtCeon, "5004");
    EXPECT_EQ(f.labCeon->text(), QStringLiteral("CE_PRESSURE_LIMIT"));
    typeCeid(f.edtCeoff, "9999");
    EXPECT_EQ(f.labCeoff->text(), QStringLiteral("(未定義)"));
    // Editing a box takes the old name away at once.
    QTest::keyClick(f.edtCeon, Qt::Key_Backspace);
    EXPECT_EQ(f.labCeon->text(), QString());
    typeCeid(f.edtCeon, "12x");  // no name for a text that is no CEID
    EXPECT_EQ(f.labCeon->text(), QString());
    typeCeid(f.edtCeon, "5004");
    press(f.btnOK);
    EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    EXPECT_EQ(heldAlarm(0).text, QStringLiteral("255 [  edge blanks stay  ] 0 5004 9999 0"));
    EXPECT_EQ(listedIds(f.SG1), (QStringList{"6001", "6002", "6003", "0"}));
    EXPECT_EQ(formVMenu->Modified, 1);

    // Shown again: the unknown event keeps its mark; one without events has no names.
    editRow(f, "0");
    EXPECT_EQ(f.labCeoff->text(), QStringLiteral("(未定義)"));
    f.edtCeon->clear();
    f.edtCeoff->clear();
    press(f.btnOK);
    editRow(f, "6001");
    editRow(f, "0");
    EXPECT_EQ(f.labCeon->text(), QString());
    EXPECT_EQ(f.labCeoff->text(), QString());
    EXPECT_EQ(heldAlarm(0).text, QStringLiteral("255 [  edge blanks stay  ] 0 0 0 0"));
}

TEST_F(AlarmEditor, TheCePickerIsPresetWithTheBoxAndCancelKeepsIt) {
    TformALSet& f = open();
    editRow(f, "6001");
    script.modalSteps.push_back(pickRow("5003"));
    QTest::mouseDClick(f.edtCeon, Qt::LeftButton);
    EXPECT_EQ(script.modalWindows, QStringList{"formCElist"});
    EXPECT_EQ(f.edtCeon->text(), QStringLiteral("5003"));
    EXPECT_EQ(f.labCeon->text(), QStringLiteral("CE_TEMP_LIMIT"));

    int presetRow = -1;
    script.modalSteps.push_back([&](QWidget* w) {
        presetRow = static_cast<IdPicker*>(w)->chosenRow;
        press(w, "btnCancel");
    });
    QTest::mouseDClick(f.edtCeoff, Qt::LeftButton);
    EXPECT_EQ(presetRow, 6);  // 5006's row
    EXPECT_EQ(f.edtCeoff->text(), QStringLiteral("5006"));
    EXPECT_EQ(f.labCeoff->text(), QStringLiteral("CE_ALARM_HEATER_CLEAR"));

    f.edtCeoff->setText("50x");
    QTest::mouseDClick(f.edtCeoff, Qt::LeftButton);
    EXPECT_EQ(script.messages, QStringList{"'50x' は整数ではありません"});
    EXPECT_EQ(script.modalWindows.size(), 2);
    press(f.btnReset);
    EXPECT_EQ(f.labCeon->text(), QString());
    EXPECT_EQ(f.edtCeon->text(), QString());
}

TEST_F(AlarmEditor, ADeletedAlarmStaysListedAndCannotBeEditedOrDeletedAgain) {
    TformALSet& f = open();
    f.selectListRow(rowOf(f.SG1, "6002"));
    script.answers = {false};
    press(f.btnDel);
    EXPECT_EQ(heldAlarm(6002).text.right(1), QStringLiteral("0"));
    press(f.btnDel);
    EXPECT_EQ(script.questions, (QStringList{"ALID = 6002 名前=AL_VACUUM_LEAKを削除しますか？",
                                             "ALID = 6002 名前=AL_VACUUM_LEAKを削除しますか？"}));
    EXPECT_EQ(f.SG1->cell(1, 2), QStringLiteral("***"));
    EXPECT_EQ(f.SG1->cell(2, 2), QStringLiteral("AL_VACUUM_LEAK"));
    EXPECT_EQ(heldAlarm(6002).text.right(1), QStringLiteral("1"));
    press(f.btnNew);
    f.selectListRow(2);
    press(f.btnEdit);
    EXPECT_EQ(f.edtName->text(), QStringLiteral("AL_"));
    press(f.btnDel);
    EXPECT_EQ(script.messages.last(), QStringLiteral("'***' は整数ではありません"));
    // A new alarm may take the deleted one's name.
    fillNew(f, "6102", "AL_VACUUM_LEAK", "2");
    press(f.btnOK);
    EXPECT_EQ(heldAlarm(6102).rc, 0);
}

}  // namespace
}  // namespace zor::editor
