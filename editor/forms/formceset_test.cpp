#include "editor/forms/formceset.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "editor/forms/formrplist.h"
#include "editor/forms/link_editor_test.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

struct HeldCe {
    int rc;
    int ceed = -1;
    std::vector<int32_t> rpids;
};
HeldCe heldCe(int32_t ceid) {
    lib::Record<TCE_INFO> r;
    HeldCe h{GemGetCeInfo(0, ceid, r.get()), -1, {}};
    if (h.rc == 0) {
        h.ceed = r->ceed;
        h.rpids = linksOf(r->rpids, r->rpid_count);
    }
    return h;
}

class CeEditor : public LinkEditorTest {
  protected:
    TformCESet& open() { return openForm(formCESet); }
    LinkGrid* grid() { return formCESet->SG2; }
    void pickInto(int row, const QString& rpid) {
        script.modalSteps.push_back(pickRow(rpid));
        emit grid()->cellDblClick(1, row);
    }
};

TEST_F(CeEditor, OpensOnTheEventListAndShowsAnEventWithItsReports) {
    TformCESet& f = open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("CE収集イベントの設定"));
    EXPECT_EQ(listedIds(f.SG1), (QStringList{"5001", "5002", "5003", "5004", "5005", "5006", "5007",
                                             "5008", "5009", "5010"}));
    EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("CEID"));
    EXPECT_EQ(grid()->rowCount(), 1024);
    EXPECT_EQ(grid()->cell(1, 0), QStringLiteral("ﾚﾎﾟｰﾄID"));
    EXPECT_EQ(grid()->cell(0, 1023), QStringLiteral("  1023"));
    EXPECT_FALSE(grid()->item(1, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(f.CB->currentText(), QStringLiteral("Enable"));
    editRow(f, "5002");
    EXPECT_EQ(f.edtName->text(), QStringLiteral("CE_PROCESS_END"));
    EXPECT_EQ(linkRows(grid(), 3), (QStringList{"4002 RP_PROCESS_END", "4003 RP_CHAMBER", " "}));
    EXPECT_EQ(f.CB->currentText(), QStringLiteral("Enable"));
    press(f.btnReset);  // the whole detail, ID and name included
    EXPECT_EQ(f.edtId->text(), QString());
    EXPECT_EQ(f.edtName->text(), QString());
    EXPECT_EQ(linkRows(grid(), 1), QStringList{" "});
}

TEST_F(CeEditor, PickedReportsAreStoredPackedAndDisableIsKept) {
    TformCESet& f = open();
    press(f.btnNew);
    EXPECT_EQ(f.edtName->text(), QStringLiteral("CE_"));
    f.edtId->setText("5100");
    f.edtName->setText("CE_NEW");
    f.CB->setCurrentIndex(0);
    pickInto(1, "4003");
    pickInto(3, "4001");
    // Picking keeps what was entered around it.
    EXPECT_EQ(f.edtId->text(), QStringLiteral("5100"));
    EXPECT_EQ(f.CB->currentText(), QStringLiteral("Disable"));
    EXPECT_EQ(linkRows(grid(), 3), (QStringList{"4003 RP_CHAMBER", " ", "4001 RP_PROCESS_START"}));
    press(f.btnOK);
    EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    HeldCe held = heldCe(5100);
    ASSERT_EQ(held.rc, 0);
    EXPECT_EQ(held.ceed, 0);
    EXPECT_EQ(held.rpids, (std::vector<int32_t>{4003, 4001}));
    editRow(f, "5100");
    EXPECT_EQ(f.CB->currentText(), QStringLiteral("Disable"));
    EXPECT_EQ(linkRows(grid(), 3), (QStringList{"4003 RP_CHAMBER", "4001 RP_PROCESS_START", " "}));
}

TEST_F(CeEditor, CancelLeavesEveryRowAsItWasAndTheDeleteKeyRemovesALink) {
    TformCESet& f = open();
    editRow(f, "5002");
    script.modalSteps.push_back(cancelPicker());
    script.modalSteps.push_back(cancelPicker());
    emit grid()->cellDblClick(1, 2);  // preset 4003, given back
    emit grid()->cellDblClick(2, 3);  // an empty row stays empty
    EXPECT_EQ(script.modalWindows, (QStringList{"formRPlist", "formRPlist"}));
    EXPECT_EQ(linkRows(grid(), 3), (QStringList{"4002 RP_PROCESS_END", "4003 RP_CHAMBER", " "}));
    grid()->selectGridRow(1);
    QTest::keyClick(grid(), Qt::Key_Delete);
    press(f.btnOK);
    EXPECT_EQ(heldCe(5002).rpids, std::vector<int32_t>{4003});
}

TEST_F(CeEditor, RefusesNoIdsAndKeepsDeletedEventsListed) {
    TformCESet& f = open();
    for (const char* id : {"0", "-1", "abc"}) {
        press(f.btnNew);
        f.edtId->setText(id);
        f.edtName->setText("CE_BAD");
        press(f.btnOK);
        EXPECT_EQ(script.messages.last(), QStringLiteral("IDの値が正しくありません。")) << id;
    }
    EXPECT_EQ(listedIds(f.SG1).size(), 10);

    f.selectListRow(rowOf(f.SG1, "5004"));
    press(f.btnDel);
    EXPECT_EQ(script.questions.last(),
              QStringLiteral("CEID = 5004 名前=CE_PRESSURE_LIMITを削除しますか？"));
    const int row = rowOf(f.SG1, "***");
    ASSERT_EQ(row, 4);
    press(f.btnNew);
    f.selectListRow(row);
    press(f.btnEdit);  // nothing to edit
    EXPECT_EQ(f.edtName->text(), QStringLiteral("CE_"));
    press(f.btnDel);
    EXPECT_EQ(script.messages.last(), QStringLiteral("'***' は整数ではありません"));
    EXPECT_EQ(heldCe(5004).rc, 0);
}

TEST_F(CeEditor, TheReportPickerOffersOnlyLiveReports) {
    TformCESet& f = open();
    ASSERT_EQ(lib::softDelete(lib::kReportCalls, 4002), 0);
    editRow(f, "5001");
    QStringList offered;
    script.modalSteps.push_back([&](QWidget* w) {
        auto* picker = static_cast<IdPicker*>(w);
        for (int row = 1; row < picker->SG->rowCount(); ++row)
            offered << picker->SG->cell(1, row).trimmed();
        press(w, "btnCancel");
    });
    emit grid()->cellDblClick(1, 2);
    EXPECT_EQ(offered, (QStringList{"4001", "4003"}));
}

}  // namespace
}  // namespace zor::editor
