#include "editor/forms/formvset.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "editor/forms/formcelist.h"
#include "editor/forms/formfmt.h"
#include "editor/forms/forml_v.h"
#include "editor/forms/windows.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"
#include "editor/testing/form_driver.h"
#include "editor/testing/scripted_seam.h"
#include "editor/testing/test_equipment.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

// A variable as zoredit holds it, freed on leaving.
struct Held {
    lib::Record<TV_INFO> record;
    const TV_INFO& r = *record;
    int rc;
    Held(int mode, int32_t id) : rc(lib::variableCalls(mode).get(0, id, record.get())) {}
};

class VariableEditor : public ::testing::Test {
  protected:
    void SetUp() override { setUpWith(QString()); }
    void setUpWith(const QString& source) {
        ASSERT_GT(testing::load(eq, source), 0) << eq.compileOutput.toStdString();
        createWindows();
    }
    void TearDown() override {
        if (formVSet) formVSet->close();
        destroyWindows();
        GemTerminateLibrary();
    }

    // The session menu's way in, then the deferred set-up at once.
    TformVSet& open(int mode) {
        formVSet->mode = mode;
        formVSet->show();
        formVSet->Timer1Timer();
        return *formVSet;
    }
    // A double-click on SG2 as the grid reports it (wired through runAction).
    void dbl(int col, int row) { emit formVSet->SG2->cellDblClick(col, row); }
    void value(int row, const QString& text) { formVSet->SG2->setCell(2, row, text); }
    QString value(int row) const { return formVSet->SG2->cell(2, row); }
    // New, then the ID, the name's suffix and cells as the user types them.
    void typeNew(const QString& id, const QString& nameSuffix,
                 std::initializer_list<std::pair<int, QString>> cells) {
        press(formVSet->btnNew);
        formVSet->edtId->setText(id);
        formVSet->edtName->setText(formVSet->edtName->text() + nameSuffix);
        for (const auto& [row, text] : cells) value(row, text);
    }
    void editRow(const QString& id) {
        formVSet->selectListRow(rowOf(formVSet->SG1, id));
        press(formVSet->btnEdit);
    }

    testing::Equipment eq;
    ScriptedSeam script;
    SeamScope scope{script};
};

TEST_F(VariableEditor, OpensOnTheModesListWithCaptionsAndAnEmptyDetail) {
    const QStringList captions = {" EC情報の設定", " SV情報の設定", " DVVAL情報の設定"};
    const QStringList groups = {"EC", "SV", "DVVAL"};
    const QList<QStringList> ids = {{"1001", "1002", "1003", "1004", "1005"},
                                    {"2001", "2002", "2003", "2004", "2005", "2006", "2007"},
                                    {"3001", "3002", "3003", "3004"}};
    for (int mode = 0; mode < 3; ++mode) {
        TformVSet& f = open(mode);
        EXPECT_EQ(f.windowTitle(), captions[mode]);
        EXPECT_EQ(f.GB->title(), groups[mode]);
        EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("VID"));
        EXPECT_EQ(f.SG1->cell(0, 1), QStringLiteral("   1"));
        EXPECT_EQ(f.SG1->cell(0, 10), QStringLiteral("  10"));
        EXPECT_EQ(listedIds(f.SG1), ids[mode]);
        EXPECT_EQ(f.SG1->rowCount(), ids[mode].size() + 32);
        EXPECT_EQ(f.currentListRow(), 1);
        EXPECT_EQ(f.SG2->cell(1, vrow::Units), QStringLiteral("Units "));
        EXPECT_EQ(f.SG2->cell(3, 9), QStringLiteral("      -上限値"));
        EXPECT_EQ(f.SG2->cell(0, 23), QStringLiteral("  23"));
        EXPECT_EQ(value(vrow::Size), QStringLiteral("1"));
        // Only status variables label the CEID rows.
        EXPECT_EQ(f.SG2->cell(1, 19), mode == kModeSv ? QStringLiteral("CEID") : QString());
        EXPECT_FALSE(f.grList->isEnabled());
        EXPECT_EQ(f.tag(), 1);
        f.close();
        EXPECT_EQ(f.tag(), 0);
        EXPECT_TRUE(formVMenu->isVisible());  // the menu comes back on closing
        formVMenu->hide();
    }
    EXPECT_EQ(script.beeps, 0);
}

TEST_F(VariableEditor, TheFirstActivationDefersTheSetUpToTimer1) {
    formVSet->mode = kModeDv;
    formVSet->show();
    EXPECT_TRUE(formVSet->Timer1->isActive());
    EXPECT_EQ(formVSet->Timer1->interval(), 500);
    EXPECT_TRUE(listedIds(formVSet->SG1).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(formVSet->SG1->cell(1, 1), QStringLiteral("3001"), 3000);
    EXPECT_FALSE(formVSet->Timer1->isActive());
}

// Per mode a size rule: U4's 0 becomes 1; A takes the nominal's length, 0 when empty.
TEST_F(VariableEditor, NewAndOkStoreAVariableInEachMode) {
    const struct {
        QString format, size, nominal;
        int stored;
    } cases[] = {{"U4", "0", "7", 1}, {"A", "40", "ABCDE", 5}, {"A", "40", "", 0}};
    for (int mode = 0; mode < 3; ++mode) {
        const auto& c = cases[mode];
        TformVSet& f = open(mode);
        script.beeps = 0;
        formVMenu->Modified = 0;
        const QString id = QString::number(9000 + mode);
        typeNew(id, QStringLiteral("NEW"),
                {{vrow::Format, c.format}, {vrow::Size, c.size}, {vrow::Nominal, c.nominal}});
        EXPECT_EQ(f.edtName->text(), QStringList({"EC_NEW", "SV_NEW", "DV_NEW"})[mode]);
        press(f.btnOK);
        EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join(u'|').toStdString();
        Held held(mode, 9000 + mode);
        ASSERT_EQ(held.rc, 0);
        EXPECT_EQ(held.r.size, c.stored);
        EXPECT_EQ(lib::valueText(held.r.format, held.r.nominal), c.nominal);
        EXPECT_EQ(value(vrow::Size), QString::number(c.stored));
        EXPECT_EQ(f.edtId->text(), id);   // the detail keeps what was entered
        EXPECT_NE(rowOf(f.SG1, id), -1);  // refreshed
        EXPECT_EQ(formVMenu->Modified, 1);
        EXPECT_EQ(script.beeps, 3);  // New; OK's refresh and its own
        f.close();
    }
}

TEST_F(VariableEditor, LimitGroupsAndSvCeidsArePackedInRowOrder) {
    TformVSet& f = open(kModeSv);
    typeNew("2100", "LIMITS",
            {{vrow::Format, "F4"},
             {7, "1"},
             {8, "1.5"},
             {9, "2.5"},
             {10, "2"},  // a group with only its ID is dropped
             {13, "3"},
             {14, "10"},
             {15, "20"},
             {19, "5003"},
             {21, "5001"}});
    press(f.btnOK);
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join(u'|').toStdString();
    {
        Held held(kModeSv, 2100);
        ASSERT_EQ(held.r.item_count, 2);
        EXPECT_EQ(held.r.items.limits[1]->limit_id, 3);
        ASSERT_EQ(held.r.ceid_count, 2);
        EXPECT_EQ(held.r.ceids[1], 5001);
    }
    press(f.btnReset);
    EXPECT_EQ(value(7), QString());
    EXPECT_EQ(f.edtId->text(), QStringLiteral("2100"));  // Reset keeps ID and name
    editRow("2100");
    EXPECT_EQ(value(vrow::Format), QStringLiteral("F4"));
    EXPECT_EQ(value(8), QStringLiteral("1.5"));
    EXPECT_EQ(value(10), QStringLiteral("3"));
    EXPECT_EQ(value(12), QStringLiteral("20"));
    EXPECT_EQ(value(13), QString());
    EXPECT_EQ(value(19), QStringLiteral("5003"));
    EXPECT_EQ(value(20), QStringLiteral("5001"));
    EXPECT_EQ(value(21), QString());
    EXPECT_EQ(f.SG2->currentGridRow(), vrow::Format);
    EXPECT_EQ(f.SG2->currentGridCol(), 2);
}

TEST_F(VariableEditor, EditShowsTheSampleVariablesAndOpensTheVidPickerForLists) {
    TformVSet& f = open(kModeSv);
    editRow("2003");  // SV_CHAMBER_TEMP: named limits, one event
    EXPECT_EQ(f.edtName->text(), QStringLiteral("SV_CHAMBER_TEMP"));
    EXPECT_EQ(value(vrow::Units), QStringLiteral("℃"));
    EXPECT_EQ(value(vrow::Max), QStringLiteral("500"));
    EXPECT_EQ(value(8), QStringLiteral("400"));
    EXPECT_EQ(value(12), QStringLiteral("25"));
    EXPECT_EQ(value(19), QStringLiteral("5003"));
    EXPECT_FALSE(f.grList->isEnabled());
    EXPECT_EQ(formL_V->opened, 0);

    editRow("2006");  // SV_CHAMBER_STATUS: a list of three
    EXPECT_EQ(value(vrow::Format), QStringLiteral("L"));
    EXPECT_EQ(value(vrow::Nominal), QStringLiteral("3"));
    EXPECT_EQ(f.vidList.count(), 3);
    EXPECT_EQ(f.SG3->cell(0, 3), QStringLiteral("   3"));
    EXPECT_EQ(f.SG3->cell(1, 2), QStringLiteral("2004"));
    EXPECT_EQ(f.SG3->cell(2, 3), QStringLiteral("SV_GAS_FLOW"));
    EXPECT_EQ(f.SG3->rowCount(), 13);
    EXPECT_TRUE(f.grList->isEnabled());
    EXPECT_EQ(formL_V->opened, 1);
    EXPECT_EQ(formL_V->kind, kModeSv);

    editRow("2001");  // a plain variable again: the list tools go away
    EXPECT_FALSE(f.grList->isEnabled());
    EXPECT_EQ(formL_V->opened, 0);
    EXPECT_EQ(f.vidList.count(), 0);
}

TEST_F(VariableEditor, VidListOperationsKeepNominalAtTheCount) {
    TformVSet& f = open(kModeDv);
    typeNew("3100", "LIST", {});
    // The format picker: L opens the VID tools.
    script.modalSteps.push_back([](QWidget* w) {
        auto* fmt = static_cast<TformFmt*>(w);
        fmt->SG->selectGridRow(1);
        press(fmt, "btnOK");
    });
    dbl(2, vrow::Format);
    EXPECT_EQ(script.modalWindows, QStringList{"formFmt"});
    EXPECT_EQ(value(vrow::Format), QStringLiteral("L"));
    ASSERT_TRUE(f.grList->isEnabled());
    ASSERT_EQ(formL_V->opened, 1);
    EXPECT_EQ(formL_V->kind, kModeDv);

    auto pick = [](int row) { formL_V->SG1->selectGridRow(row); };  // 3001 + row - 1
    auto vids = [&f] { return std::vector<int32_t>(f.vidList.vids()); };
    pick(1);
    press(&f, "btnL_OK");  // an empty list: appended
    EXPECT_EQ(vids(), (std::vector<int32_t>{3001}));
    EXPECT_EQ(f.SG3->currentGridRow(), 2);  // the first empty row below
    pick(2);
    press(&f, "btnL_OK");  // on the first empty row: appended
    f.SG3->selectGridRow(1);
    pick(3);
    press(&f, "btnL_OK");  // replaced
    EXPECT_EQ(f.SG3->currentGridRow(), 1);
    EXPECT_EQ(vids(), (std::vector<int32_t>{3003, 3002}));
    f.SG3->selectGridRow(2);
    pick(4);
    press(&f, "btnVIns");
    f.SG3->selectGridRow(12);  // far below the end
    pick(1);
    press(&f, "btnVIns");
    EXPECT_EQ(vids(), (std::vector<int32_t>{3003, 3004, 3002, 3001}));
    EXPECT_EQ(value(vrow::Nominal), QStringLiteral("4"));
    EXPECT_EQ(f.SG3->cell(2, 2), QStringLiteral("DV_PROCESS_RESULT"));
    f.SG3->selectGridRow(1);
    press(&f, "btnDelV");
    f.SG3->selectGridRow(9);  // beyond the list: nothing
    press(&f, "btnDelV");
    EXPECT_EQ(vids(), (std::vector<int32_t>{3004, 3002, 3001}));
    EXPECT_EQ(value(vrow::Nominal), QStringLiteral("3"));

    // Closing the picker stops the list changes; the list is kept.
    press(&f, "btnLCancel");
    EXPECT_EQ(formL_V->opened, 0);
    press(&f, "btnL_OK");
    EXPECT_EQ(f.vidList.count(), 3);

    value(vrow::Nominal, "99");  // OK writes the count there again
    press(f.btnOK);
    EXPECT_EQ(value(vrow::Nominal), QStringLiteral("3"));
    Held held(kModeDv, 3100);
    ASSERT_EQ(held.rc, 0);
    ASSERT_EQ(held.r.item_count, 3);
    EXPECT_EQ(held.r.items.list->vids[0], 3004);
    EXPECT_STREQ(held.r.items.list->names[2], "DV_WAFER_ID");

    // Reset keeps the list in memory: choosing L again shows it.
    press(f.btnReset);
    EXPECT_EQ(f.SG3->cell(1, 1), QString());
    script.modalSteps.push_back([](QWidget* w) { press(w, "btnOK"); });
    dbl(2, vrow::Format);
    EXPECT_EQ(f.SG3->cell(1, 3), QStringLiteral("3001"));
}

TEST_F(VariableEditor, AFullVidListRefusesToGrowWithAMessage) {
    TformVSet& f = open(kModeSv);
    typeNew("2200", "FULL", {{vrow::Format, "L"}});
    std::vector<int32_t> full(VidList::kCapacity, 2001);
    f.vidList.assign(full.data(), VidList::kCapacity);
    f.btnSVClick();  // as after choosing L: the group enabled, the picker open
    ASSERT_TRUE(f.grList->isEnabled());
    formL_V->SG1->selectGridRow(3);
    f.SG3->selectGridRow(1);
    press(&f, "btnVIns");
    EXPECT_EQ(script.messages, QStringList{vidListFullMessage()});
    press(&f, "btnL_OK");  // row 1 exists: replaced
    EXPECT_EQ(f.vidList.vids()[0], 2003);
    f.SG3->selectGridRow(f.SG3->rowCount() - 1);
    press(&f, "btnL_OK");  // past the end: would append
    EXPECT_EQ(script.messages.size(), 2);
    EXPECT_EQ(f.vidList.count(), VidList::kCapacity);
}

TEST_F(VariableEditor, SoftDeleteMarksTheRowAndTheMarkStopsEditAndDelete) {
    TformVSet& f = open(kModeEc);
    const int row = rowOf(f.SG1, "1003");
    f.selectListRow(row);
    script.answers = {false};
    press(f.btnDel);
    EXPECT_EQ(script.questions,
              QStringList{"変数ID = 1003 名前=EC_ESTABLISH_TIMEOUTを削除しますか？"});
    EXPECT_EQ(f.SG1->cell(1, row), QStringLiteral("1003"));
    EXPECT_EQ(formVMenu->Modified, 0);
    EXPECT_EQ(script.beeps, 0);

    press(f.btnDel);  // answered Yes
    EXPECT_EQ(f.SG1->cell(1, row), QStringLiteral("***"));
    EXPECT_EQ(Held(kModeEc, 1003).r.deleted, 1);
    EXPECT_EQ(formVMenu->Modified, 1);
    EXPECT_EQ(script.beeps, 2);

    f.edtId->setText("keep");
    press(f.btnEdit);
    EXPECT_EQ(f.edtId->text(), QStringLiteral("keep"));
    f.SG1DblClick();
    EXPECT_EQ(f.edtId->text(), QStringLiteral("keep"));
    formVMenu->Modified = 0;
    press(f.btnDel);
    EXPECT_EQ(script.messages.last(), QStringLiteral("'***' は整数ではありません"));
    EXPECT_EQ(script.questions.size(), 2);
    EXPECT_EQ(formVMenu->Modified, 0);
    press(f.btnRefresh);
    EXPECT_EQ(f.SG1->cell(1, row), QStringLiteral("***"));
    EXPECT_EQ(f.SG1->cell(2, row), QStringLiteral("EC_ESTABLISH_TIMEOUT"));

    // The duplicate check passes over the deleted row: its name is free.
    typeNew("1010", "ESTABLISH_TIMEOUT", {{vrow::Format, "U2"}});
    press(f.btnOK);
    EXPECT_EQ(Held(kModeEc, 1010).rc, 0);
}

TEST_F(VariableEditor, RefusalsDuplicatesAndFailedSetsStillRefreshAndMarkModified) {
    TformVSet& f = open(kModeEc);
    struct Case {
        QString id, name, format;
        QString message;
    };
    const QList<Case> cases = {
        {" ", "EC_X", "U1", "ID、名前を確認してください。"},
        {"9", "EC_X", "", "必須項目の設定を確認してください。"},
        {"zero", "EC_X", "U1", "IDの値が正しくありません。"},
        {"-1", "EC_X", "U1", "IDの値が正しくありません。"},  // the compiler's "no ID"
        {"9", "EC_X", "U3", "Formatが正しくありません。"},
        {"1001", "EC_OTHER", "U1", "IDが重複しています。 1番目を確認してください。"},
        {"9", "ec_process_pressure", "U1", "名前が重複しています。 2番目を確認してください。"},
    };
    for (const Case& c : cases) {
        script.messages.clear();
        script.beeps = 0;
        formVMenu->Modified = 0;
        f.edtId->setText(c.id);
        f.edtName->setText(c.name);
        value(vrow::Format, c.format);
        press(f.btnOK);
        EXPECT_EQ(script.messages, QStringList{c.message});
        EXPECT_EQ(formVMenu->Modified, 1) << c.message.toStdString();
        EXPECT_EQ(script.beeps, 2);
    }
    EXPECT_EQ(Held(kModeEc, 9).rc, ZOR_E_NOTFOUND);
    EXPECT_STREQ(Held(kModeEc, 1001).r.name, "EC_HEATER_SETPOINT");

    // A text zoredit cannot write back: the set fails.
    script.messages.clear();
    f.edtId->setText("9");
    f.edtName->setText("EC_LONG");
    value(vrow::Format, "U1");
    value(vrow::Units, QString(ZOR_MAX_TEXT + 1, u'x'));
    press(f.btnOK);
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_EQ(
        script.messages[0],
        QStringLiteral("!! 設定できませんでした。\nunits longer than %1 bytes").arg(ZOR_MAX_TEXT));
    EXPECT_EQ(Held(kModeEc, 9).rc, ZOR_E_NOTFOUND);

    // A text no source line can carry: the library names the field, the
    // message shows it.
    script.messages.clear();
    value(vrow::Units, QStringLiteral("end\\"));
    press(f.btnOK);
    EXPECT_EQ(script.messages,
              QStringList{"!! 設定できませんでした。\nunits ends inside an escape (a lone \\ or "
                          "\\x at its end)"});
    EXPECT_EQ(Held(kModeEc, 9).rc, ZOR_E_NOTFOUND);
}

TEST_F(VariableEditor, ConversionErrorsStopOkWithoutMarkingModified) {
    TformVSet& f = open(kModeEc);
    const struct {
        QString id, size, max;
        QString message;
    } cases[] = {
        {"9", "2x", "", "'2x' は整数ではありません"},
        {"9", "1", "hot", "'hot' は浮動小数点数ではありません"},
        {"9abc", "1", "", "'9abc' は整数ではありません"},  // the duplicate check's reading
    };
    for (const auto& c : cases) {
        script.messages.clear();
        script.beeps = 0;
        f.edtId->setText(c.id);
        f.edtName->setText("EC_BAD");
        value(vrow::Format, "F8");
        value(vrow::Size, c.size);
        value(vrow::Max, c.max);
        press(f.btnOK);
        EXPECT_EQ(script.messages, QStringList{c.message});
        EXPECT_EQ(value(vrow::Size), c.size);  // the form stays as it was
        EXPECT_EQ(formVMenu->Modified, 0);
        EXPECT_EQ(script.beeps, 0);
        EXPECT_EQ(Held(kModeEc, 9).rc, ZOR_E_NOTFOUND);
    }
}

TEST_F(VariableEditor, DoubleClicksInTheValueColumnOpenThePickers) {
    TformVSet& f = open(kModeSv);
    press(f.btnNew);
    dbl(2, vrow::Format);
    EXPECT_EQ(script.messages, QStringList{" 変数IDを入力してください。"});
    EXPECT_TRUE(script.modalWindows.isEmpty());
    f.edtId->setText("2300");
    dbl(1, vrow::Format);  // the label column: nothing
    dbl(2, vrow::Units);   // a row without a picker: nothing
    EXPECT_TRUE(script.modalWindows.isEmpty());

    // The CE picker: preset from the cell, the choice written back.
    value(20, "5002");
    script.modalSteps.push_back([](QWidget* w) {
        auto* ce = static_cast<TformCElist*>(w);
        EXPECT_EQ(ce->chosenRow, 2);  // the preset's row
        ce->SG->selectGridRow(4);
        press(ce, "btnOK");
    });
    dbl(2, 20);
    EXPECT_EQ(value(20), QStringLiteral("5004"));
    script.modalSteps.push_back([](QWidget* w) { press(w, "btnCancel"); });
    dbl(2, 21);  // cancelled on an empty cell: stays empty
    EXPECT_EQ(value(21), QString());
    EXPECT_EQ(script.modalWindows, (QStringList{"formCElist", "formCElist"}));

    value(19, "x1");
    script.messages.clear();
    dbl(2, 19);
    EXPECT_EQ(script.messages, QStringList{"'x1' は整数ではありません"});
    EXPECT_EQ(script.modalWindows.size(), 2);

    // L, then another format: the VID tools stay as they are.
    for (int row : {1, 8}) {
        script.modalSteps.push_back([row](QWidget* w) {
            static_cast<TformFmt*>(w)->SG->selectGridRow(row);
            press(w, "btnOK");
        });
        dbl(2, vrow::Format);
    }
    EXPECT_EQ(value(vrow::Format), QStringLiteral("I4"));
    EXPECT_TRUE(f.grList->isEnabled());
    EXPECT_EQ(formL_V->opened, 1);
    f.close();
    EXPECT_EQ(formL_V->opened, 0);  // closing the editor closes the picker

    TformVSet& ec = open(kModeEc);
    ec.edtId->setText("1");
    dbl(2, 19);  // constants have no CEID rows
    EXPECT_EQ(script.modalWindows.size(), 4);
}

// A variable with more limits and events than the detail shows.
class WideVariable : public VariableEditor {
  protected:
    void SetUp() override {
        QString source = QStringLiteral("REV_NO = 2\n");
        for (int i = 1; i <= 5; ++i)
            source += QStringLiteral("def_ce CE_%1 {\n    ceid : %2\n}\n").arg(i).arg(100 + i);
        source += QStringLiteral("def_sv SV_WIDE {\n    svid : 7\n    format : I2\n");
        for (int i = 1; i <= 6; ++i)
            source += QStringLiteral("    limit : %1, %2, %3\n").arg(i).arg(i * 10).arg(i * 10 + 5);
        for (int i = 1; i <= 5; ++i) source += QStringLiteral("    event : CE_%1\n").arg(i);
        source += QStringLiteral("}\n");
        setUpWith(source);
    }
};

TEST_F(WideVariable, EditShowsTheFirstFourLimitsAndThreeCeids) {
    open(kModeSv);
    editRow("7");
    EXPECT_EQ(value(7), QStringLiteral("1"));
    EXPECT_EQ(value(16), QStringLiteral("4"));
    EXPECT_EQ(value(18), QStringLiteral("45"));
    EXPECT_EQ(value(19), QStringLiteral("101"));
    EXPECT_EQ(value(21), QStringLiteral("103"));
    EXPECT_EQ(value(22), QString());
}

// Saving from the editor must not lose what the detail cannot show: the
// limits past the fourth and the events past the third stay as they were,
// while the ones shown take the edit.
TEST_F(WideVariable, SavingKeepsWhatTheDetailCannotShow) {
    TformVSet& f = open(kModeSv);
    editRow("7");
    value(8, QStringLiteral("11"));
    press(f.btnOK);
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join(u'|').toStdString();
    Held held(kModeSv, 7);
    ASSERT_EQ(held.r.item_count, 6);
    ASSERT_EQ(held.r.ceid_count, 5);
    EXPECT_EQ(*static_cast<int16_t*>(held.r.items.limits[0]->low), 11);
    EXPECT_EQ(held.r.items.limits[4]->limit_id, 5);
    EXPECT_EQ(*static_cast<int16_t*>(held.r.items.limits[5]->low), 60);
    EXPECT_EQ(held.r.ceids[4], 105);
}

// A shown CEID changed to the value of a hidden one is a new entry: the
// hidden one stays where it was.
TEST_F(WideVariable, AShownCeidTakingAHiddenValueKeepsTheHiddenEntry) {
    TformVSet& f = open(kModeSv);
    editRow("7");
    value(21, QStringLiteral("104"));
    press(f.btnOK);
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join(u'|').toStdString();
    Held held(kModeSv, 7);
    ASSERT_EQ(held.r.ceid_count, 5);
    const int32_t expected[] = {101, 102, 104, 104, 105};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(held.r.ceids[i], expected[i]) << i;
}

}  // namespace
}  // namespace zor::editor
