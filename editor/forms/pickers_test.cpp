#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "editor/forms/formcelist.h"
#include "editor/forms/formfmt.h"
#include "editor/forms/forml_v.h"
#include "editor/forms/formrplist.h"
#include "editor/forms/formvlist.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"
#include "editor/testing/form_driver.h"
#include "editor/testing/scripted_seam.h"
#include "editor/testing/test_equipment.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

void doubleClickRow(StringGrid* grid, int row) {
    QRect cell = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// ---- format picker ------------------------------------------------------------

class FormatPicker : public ::testing::Test {
  protected:
    TformFmt fmt;
    QString run(const QString& preset, const char* button = "btnOK") {
        fmt.symbol = preset;
        fmt.show();
        press(&fmt, button);
        EXPECT_FALSE(fmt.isVisible());
        return fmt.symbol;
    }
};

TEST_F(FormatPicker, HoldsTheFormatTable) {
    ASSERT_EQ(fmt.SG->rowCount(), 17);
    ASSERT_EQ(fmt.SG->colCount(), 2);
    EXPECT_EQ(fmt.SG->cell(0, 0), QStringLiteral("  記号"));
    EXPECT_EQ(fmt.SG->cell(0, 3), QStringLiteral("  BOOL"));
    EXPECT_EQ(fmt.SG->cell(1, 9), QStringLiteral("8ﾊﾞｲﾄ符号付整数"));
    EXPECT_EQ(fmt.SG->cell(1, 11), QStringLiteral("2ﾊﾞｲﾄ符号無し整数"));
    EXPECT_EQ(fmt.SG->cell(1, 13), QStringLiteral("8ﾊﾞｲﾄ符号無し整数"));
    EXPECT_EQ(fmt.SG->cell(0, 15), QStringLiteral("  F8"));
    EXPECT_EQ(fmt.SG->cell(0, 16), QString());
    // Every symbol it returns is one zoredit knows.
    for (int row = 1; row <= 15; ++row)
        EXPECT_GE(zor_get_item_code(fmt.SG->cell(0, row).toLatin1().constData()), 0) << row;
}

TEST_F(FormatPicker, PresetSelectsItsRowAndOkReturnsTheTrimmedSymbol) {
    EXPECT_EQ(run(QString()), QStringLiteral("L"));  // an empty Format cell: L
    EXPECT_EQ(fmt.chosen, 1);
    EXPECT_EQ(run(QStringLiteral("U4")), QStringLiteral("U4"));
    EXPECT_EQ(fmt.chosenRow, 12);
    EXPECT_EQ(run(QStringLiteral("X9")), QStringLiteral("L"));  // unknown: row 1
    EXPECT_EQ(run(QStringLiteral("u4")), QStringLiteral("L"));  // exact comparison
}

TEST_F(FormatPicker, CancelLeavesTheChosenFlagAtZeroAndDoubleClickPicks) {
    EXPECT_EQ(run(QStringLiteral("I2"), "btnCancel"), QStringLiteral("I2"));
    EXPECT_EQ(fmt.chosen, 0);
    fmt.symbol = QStringLiteral("I2");
    fmt.show();
    doubleClickRow(fmt.SG, 14);
    EXPECT_FALSE(fmt.isVisible());
    EXPECT_EQ(fmt.chosen, 1);
    EXPECT_EQ(fmt.symbol, QStringLiteral("F4"));
}

// ---- ID pickers on the sample equipment ---------------------------------------

class IdPickers : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        eq = new testing::Equipment;
        loaded = testing::load(*eq);
    }
    static void TearDownTestSuite() {
        GemTerminateLibrary();
        delete eq;
    }
    void SetUp() override { ASSERT_GT(loaded, 0) << eq->compileOutput.toStdString(); }

    static inline testing::Equipment* eq = nullptr;
    static inline int loaded = -1;
    ScriptedSeam seam_;
    SeamScope scope_{seam_};
};

TEST_F(IdPickers, CePickerListsPreselectsAndReturnsTheChosenRow) {
    TformCElist ce;
    ce.id = 5003;
    ce.show();
    EXPECT_EQ(ce.SG->cell(1, 0), QStringLiteral("  CEID"));
    EXPECT_EQ(ce.SG->cell(0, 1), QStringLiteral(" 1"));
    EXPECT_EQ(ce.SG->cell(1, 1), QStringLiteral("  5001"));
    EXPECT_EQ(ce.SG->cell(2, 1), QStringLiteral("CE_PROCESS_START"));
    EXPECT_EQ(ce.chosenRow, 3);
    EXPECT_EQ(ce.SG->currentGridRow(), 3);
    ce.SG->selectGridRow(2);
    press(&ce, "btnOK");
    EXPECT_FALSE(ce.isVisible());
    EXPECT_EQ(ce.id, 5002);

    ce.id = 777;  // not in the list: row 1
    ce.show();
    EXPECT_EQ(ce.chosenRow, 1);
    doubleClickRow(ce.SG, 4);
    EXPECT_EQ(ce.id, 5004);
}

TEST_F(IdPickers, CancelReturnsExactlyThePresetAlsoZero) {
    TformRPlist rp;
    for (int preset : {4002, 0, 999}) {
        rp.id = preset;
        rp.show();
        rp.SG->selectGridRow(3);
        press(&rp, "btnCancel");
        EXPECT_FALSE(rp.isVisible());
        EXPECT_EQ(rp.id, preset);
    }
    EXPECT_EQ(rp.SG->cell(1, 0), QStringLiteral("  RPID"));
    EXPECT_EQ(rp.SG->cell(2, 3), QStringLiteral("RP_CHAMBER"));
}

TEST_F(IdPickers, VariablePickerStartsOnStatusVariablesAndKeepsTheUsersKind) {
    TformVlist v;
    v.id = 0;
    v.show();
    EXPECT_EQ(v.kind, 1);
    EXPECT_EQ(v.SG->cell(1, 1), QStringLiteral("  2001"));  // SV_CLOCK
    EXPECT_EQ(v.SG->cell(3, 0), QStringLiteral("初期値"));
    v.CB->setCurrentIndex(2);
    emit v.CB->activated(2);
    EXPECT_EQ(v.kind, 2);
    EXPECT_EQ(v.SG->cell(2, 1), QStringLiteral("DV_WAFER_ID"));
    press(&v, "btnOK");
    EXPECT_EQ(v.id, 3001);
    v.id = 3003;
    v.show();  // opened again: data variables still
    EXPECT_EQ(v.kind, 2);
    EXPECT_EQ(v.chosenRow, 3);
    v.CB->setCurrentIndex(0);
    emit v.CB->activated(0);
    EXPECT_EQ(v.SG->cell(3, 1), QStringLiteral("350"));  // EC_HEATER_SETPOINT's nominal
    press(&v, "btnCancel");
    EXPECT_EQ(v.id, 3003);
}

TEST_F(IdPickers, VidPickerHasAtLeastThirtyRowsAndBlankRowsSelectNothing) {
    TformL_V lv;
    lv.kind = 0;
    EXPECT_EQ(lv.opened, 0);
    lv.show();
    EXPECT_EQ(lv.opened, 1);
    EXPECT_EQ(lv.SG1->rowCount(), TformL_V::kMinRows);
    EXPECT_EQ(lv.SG1->cell(0, 1), QStringLiteral("   1"));
    EXPECT_EQ(lv.SG1->cell(0, 29), QStringLiteral("  29"));
    EXPECT_EQ(lv.selectedVid, 1001);  // row 1 is selected on opening
    EXPECT_EQ(lv.pos().y(), 150);
    lv.SG1->selectGridRow(2);
    EXPECT_EQ(lv.selectedVid, 1002);
    lv.SG1->selectGridRow(20);
    EXPECT_EQ(lv.selectedVid, 0);
    press(&lv, "btnCancel");
    EXPECT_EQ(lv.opened, 0);
}

TEST(VidPicker, ThirtyVariablesGiveThirtyOneRows) {
    QString source = QStringLiteral("REV_NO = 2\n");
    for (int i = 1; i <= 30; ++i)
        source += QStringLiteral("def_dv DV_%1 {\n    dvid : %2\n    format : U4\n}\n")
                      .arg(i)
                      .arg(100 + i);
    testing::Equipment eq;
    ASSERT_GT(testing::load(eq, source), 0) << eq.compileOutput.toStdString();
    TformL_V lv;
    lv.kind = 2;
    lv.show();
    EXPECT_EQ(lv.SG1->rowCount(), 31);
    EXPECT_EQ(lv.SG1->cell(1, 30), QStringLiteral("130"));
    EXPECT_EQ(lv.SG1->cell(2, 30), QStringLiteral("DV_30"));
    lv.close();
    GemTerminateLibrary();
}

TEST(IdPickerEmpty, NoneRowRefusesOkWithTheConversionMessageAndStaysOpen) {
    ScriptedSeam seam;
    SeamScope scope(seam);
    GemTerminateLibrary();
    TformCElist ce;
    ce.id = 12;
    ce.show();
    EXPECT_EQ(ce.SG->rowCount(), 2);
    EXPECT_EQ(ce.SG->cell(1, 1), QStringLiteral("(none)"));
    press(&ce, "btnOK");
    EXPECT_TRUE(ce.isVisible());
    EXPECT_EQ(ce.id, 12);
    EXPECT_EQ(seam.messages, QStringList{QStringLiteral("'(none)' は整数ではありません")});
    doubleClickRow(ce.SG, 1);
    EXPECT_TRUE(ce.isVisible());
    EXPECT_EQ(seam.messages.size(), 2);
    press(&ce, "btnCancel");
    EXPECT_EQ(ce.id, 12);
}

}  // namespace
}  // namespace zor::editor
