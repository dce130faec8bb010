#include "editor/forms/formrpset.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "editor/forms/formvlist.h"
#include "editor/forms/link_editor_test.h"
#include "editor/forms/link_grid.h"
#include "editor/forms/variable_record.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

// A report as zoredit holds it.
std::vector<int32_t> heldVids(int32_t rpid) {
    lib::Record<TRP_INFO> r;
    if (GemGetRpInfo(0, rpid, r.get()) != 0) return {-999};
    return linksOf(r->vids, r->vid_count);
}

class ReportEditor : public LinkEditorTest {
  protected:
    TformRPSet& open() { return openForm(formRPSet); }
    LinkGrid* grid() { return formRPSet->SG2; }
};

TEST_F(ReportEditor, OpensOnTheReportListAndShowsAReportWithItsVariableNames) {
    TformRPSet& f = open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("RP レポートIDの設定"));
    EXPECT_EQ(listedIds(f.SG1), (QStringList{"4001", "4002", "4003"}));
    EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("RPID"));
    EXPECT_EQ(f.SG1->rowCount(), 3 + 16);
    EXPECT_EQ(grid()->rowCount(), 33);
    EXPECT_EQ(grid()->cell(2, 0), QStringLiteral(" 変数名"));
    editRow(f, "4002");
    EXPECT_EQ(f.edtId->text(), QStringLiteral("4002"));
    EXPECT_EQ(f.edtName->text(), QStringLiteral("RP_PROCESS_END"));
    EXPECT_EQ(linkRows(grid(), 4),
              (QStringList{"2001 SV_CLOCK", "3001 DV_WAFER_ID", "3003 DV_FILM_THICKNESS", " "}));
    EXPECT_TRUE(f.SG2->hiddenNote->isHidden());

    press(f.btnNew);
    EXPECT_EQ(f.edtName->text(), QStringLiteral("RP_"));
    EXPECT_EQ(f.edtId->text(), QString());
    EXPECT_EQ(linkRows(grid(), 1), QStringList{" "});
}

TEST_F(ReportEditor, TypedVidsAreLookedUpOnEnterAndStoredPackedInRowOrder) {
    TformRPSet& f = open();
    press(f.btnNew);
    f.edtId->setText("4100");
    f.edtName->setText("RP_NEW");
    typeLink(grid(), 1, "2003");
    typeLink(grid(), 2, "9999");    // unknown: the VID stays, no name
    grid()->setCell(1, 5, "1001");  // typed without Enter: stored all the same
    EXPECT_EQ(linkRows(grid(), 2), (QStringList{"2003 SV_CHAMBER_TEMP", "9999 "}));
    EXPECT_EQ(grid()->cell(2, 5), QString());
    press(f.btnOK);
    EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    EXPECT_EQ(heldVids(4100), (std::vector<int32_t>{2003, 9999, 1001}));
    EXPECT_NE(rowOf(f.SG1, "4100"), -1);

    editRow(f, "4100");
    EXPECT_EQ(linkRows(grid(), 4),
              (QStringList{"2003 SV_CHAMBER_TEMP", "9999 ", "1001 EC_HEATER_SETPOINT", " "}));

    // A report without variables is a report too.
    press(f.btnNew);
    f.edtId->setText("4101");
    f.edtName->setText("RP_EMPTY");
    press(f.btnOK);
    EXPECT_EQ(heldVids(4101), std::vector<int32_t>{});
}

TEST_F(ReportEditor, IdMinusOneAndUnreadableVidsAreRefused) {
    TformRPSet& f = open();
    press(f.btnNew);
    f.edtId->setText("-1");
    f.edtName->setText("RP_NO_ID");
    typeLink(grid(), 1, "2001");
    formVMenu->Modified = 0;
    press(f.btnOK);
    EXPECT_EQ(script.messages, QStringList{"IDの値が正しくありません。"});
    EXPECT_EQ(listedIds(f.SG1).size(), 3);
    EXPECT_EQ(formVMenu->Modified, 1);  // a refusal still ends OK as usual

    f.edtId->setText("4100");
    grid()->setCell(1, 2, "12x");  // zor_atoi would link VID 12
    formVMenu->Modified = 0;
    press(f.btnOK);
    EXPECT_EQ(script.messages.last(), QStringLiteral("'12x' は整数ではありません"));
    EXPECT_EQ(heldVids(4100), std::vector<int32_t>{-999});
    EXPECT_EQ(formVMenu->Modified, 0);  // a conversion error ends the click
}

TEST_F(ReportEditor, CancelInThePickerNeverRemovesALinkAndAPickReplacesIt) {
    TformRPSet& f = open();
    editRow(f, "4001");
    // Cancel on a named row (preset: its VID) and on a typed, unnamed one.
    grid()->setCell(1, 4, "2002");
    script.modalSteps.push_back(cancelPicker());
    script.modalSteps.push_back(cancelPicker());
    emit grid()->cellDblClick(1, 1);
    emit grid()->cellDblClick(1, 4);
    EXPECT_EQ(linkRows(grid(), 4),
              (QStringList{"2001 SV_CLOCK", "3002 DV_LOT_ID", "3001 DV_WAFER_ID", "2002 "}));
    // A pick: the variable picker on data variables, DV_FILM_THICKNESS.
    script.modalSteps.push_back(pickRow("3003", 2));
    emit grid()->cellDblClick(2, 2);
    EXPECT_EQ(linkRows(grid(), 2), (QStringList{"2001 SV_CLOCK", "3003 DV_FILM_THICKNESS"}));
    press(f.btnOK);
    EXPECT_EQ(heldVids(4001), (std::vector<int32_t>{2001, 3003, 3001, 2002}));
}

TEST_F(ReportEditor, ThePickerOffersOnlyLiveVariables) {
    TformRPSet& f = open();
    ASSERT_EQ(lib::softDelete(lib::variableCalls(kModeSv), 2002), 0);
    editRow(f, "4001");
    QStringList offered;
    script.modalSteps.push_back([&](QWidget* w) {
        auto* picker = static_cast<TformVlist*>(w);
        picker->CB->setCurrentIndex(kModeSv);
        emit picker->CB->activated(kModeSv);
        for (int row = 1; row < picker->SG->rowCount(); ++row)
            offered << picker->SG->cell(1, row).trimmed();
        press(w, "btnCancel");
    });
    emit grid()->cellDblClick(1, 5);
    EXPECT_FALSE(offered.isEmpty());
    EXPECT_TRUE(offered.contains("2001"));
    EXPECT_FALSE(offered.contains("2002"));
}

TEST_F(ReportEditor, AVidThatSeveralKindsDefineSaysWhichKindItResolvesTo) {
    reload(
        sampleWith(QStringLiteral("def_dv DV_SHADOW {\n    dvid    : 2001\n"
                                  "    format  : U4\n}\n")));
    TformRPSet& f = open();
    editRow(f, "4001");
    EXPECT_EQ(grid()->cell(2, 1), QStringLiteral("SV_CLOCK (SV)"));
    EXPECT_EQ(grid()->cell(2, 2), QStringLiteral("DV_LOT_ID"));
}

}  // namespace
}  // namespace zor::editor
