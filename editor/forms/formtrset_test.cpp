#include "editor/forms/formtrset.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "editor/forms/formrpset.h"
#include "editor/forms/link_editor_test.h"
#include "editor/forms/variable_record.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/sjis.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

struct HeldTrace {
    int rc;
    TraceDetail shown;
    std::vector<int32_t> svids;
    int deleted = 0;
};
HeldTrace heldTrace(const char* trid) {
    lib::Record<TTRACE_INFO> r;
    HeldTrace h{GemGetTrInfo(0, trid, r.get()), {}, {}};
    if (h.rc == 0) {
        h.shown = viewTrace(*r);
        h.svids = linksOf(r->svids, r->svid_count);
        h.deleted = r->deleted;
    }
    return h;
}

class TraceEditor : public LinkEditorTest {
  protected:
    TformTRSet& open() { return openForm(formTRSet); }
    LinkGrid* grid() { return formTRSet->SG2; }
    void typeNew(const QString& id, const QString& name) {
        press(formTRSet->btnNew);
        formTRSet->edtId->setText(id);
        formTRSet->edtName->setText(name);
    }
};

TEST_F(TraceEditor, OpensWithTheDefaultsAndShowsATrace) {
    TformTRSet& f = open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("TRACE IDの設定"));
    EXPECT_EQ(listedIds(f.SG1), QStringList{"TRACE_CHAMBER"});
    EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("TRID"));
    EXPECT_EQ(f.edtdsper->text(), QStringLiteral("00000100"));
    EXPECT_EQ(f.edttotsmp->text(), QStringLiteral("1"));
    EXPECT_EQ(f.edtrepgsz->text(), QStringLiteral("1"));
    EXPECT_TRUE(f.btnRecover->isHidden());
    editRow(f, "TRACE_CHAMBER");
    EXPECT_EQ(f.edtName->text(), QStringLiteral("TR_CHAMBER"));
    EXPECT_EQ(f.edtdsper->text(), QStringLiteral("000010"));
    EXPECT_EQ(f.edttotsmp->text(), QStringLiteral("600"));
    EXPECT_EQ(f.edtrepgsz->text(), QStringLiteral("10"));
    EXPECT_EQ(linkRows(grid(), 3),
              (QStringList{"2003 SV_CHAMBER_TEMP", "2004 SV_CHAMBER_PRESSURE", " "}));
    press(f.btnNew);
    EXPECT_EQ(f.edtName->text(), QStringLiteral("TR_"));
    EXPECT_EQ(f.edtdsper->text(), QStringLiteral("00000100"));
    EXPECT_EQ(linkRows(grid(), 1), QStringList{" "});
}

TEST_F(TraceEditor, ANewTraceWithTheDefaultsAndSvidsInRowsOneThreeAndFive) {
    TformTRSet& f = open();
    typeNew("tr2", "TR_NEW");
    typeLink(grid(), 1, "2001");
    typeLink(grid(), 3, "2003");
    typeLink(grid(), 5, "1002");  // an EC is accepted too
    EXPECT_EQ(grid()->cell(2, 5), QStringLiteral("EC_PROCESS_PRESSURE"));
    press(f.btnOK);
    EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    HeldTrace held = heldTrace("tr2");
    ASSERT_EQ(held.rc, 0);
    EXPECT_EQ(held.shown.dsper, QStringLiteral("00000100"));
    EXPECT_EQ(held.shown.totsmp, QStringLiteral("1"));
    EXPECT_EQ(held.shown.repgsz, QStringLiteral("1"));
    EXPECT_EQ(held.svids, (std::vector<int32_t>{2001, 2003, 1002}));
}

TEST_F(TraceEditor, CountsBelowOneAndRenamesAreRefused) {
    TformTRSet& f = open();
    typeNew("TR2", "TR_NEW");
    typeLink(grid(), 1, "2001");
    f.edttotsmp->setText("-5");
    press(f.btnOK);
    EXPECT_EQ(script.messages.last(), QStringLiteral("合計ｻﾝﾌﾟﾙ数を確認してください。"));
    f.edttotsmp->setText("5");
    f.edtrepgsz->setText("0");
    press(f.btnOK);
    EXPECT_EQ(script.messages.last(), QStringLiteral("ﾚﾎﾟｰﾄｸﾞﾙｰﾌﾟｻｲｽﾞを確認してください。"));
    EXPECT_NE(heldTrace("TR2").rc, 0);

    // TRIDs and names compare without ASCII case.
    f.edtrepgsz->setText("1");
    f.edtId->setText("trace_chamber");
    press(f.btnOK);
    EXPECT_EQ(script.messages.last(),
              QStringLiteral("IDが重複しています。 1番目を確認してください。"));
    f.edtId->setText("TR2");
    f.edtName->setText("tr_chamber");
    press(f.btnOK);
    EXPECT_EQ(script.messages.last(),
              QStringLiteral("名前が重複しています。 1番目を確認してください。"));
    EXPECT_NE(heldTrace("TR2").rc, 0);
}

TEST_F(TraceEditor, ADeletedTracesNameIsFreeAgainBeforeTheNextCompile) {
    TformTRSet& f = open();
    f.selectListRow(1);
    press(f.btnDel);
    EXPECT_EQ(script.questions.last(),
              QStringLiteral("TRID = TRACE_CHAMBER 名前=TR_CHAMBERを削除しますか？"));
    ASSERT_EQ(f.SG1->cell(1, 1), QStringLiteral("***"));
    // Delete on the mark does nothing, without a question.
    press(f.btnDel);
    EXPECT_EQ(script.questions.size(), 1);
    EXPECT_EQ(f.SG1->cell(1, 1), QStringLiteral("***"));

    typeNew("TR3", "TR_CHAMBER");
    typeLink(grid(), 1, "2004");
    const qsizetype before = script.messages.size();
    press(f.btnOK);
    EXPECT_EQ(script.messages.size(), before) << script.messages.join('|').toStdString();
    EXPECT_EQ(heldTrace("TR3").rc, 0);
    EXPECT_EQ(heldTrace("TRACE_CHAMBER").deleted, 1);
}

TEST_F(TraceEditor, SvidNamesResolveStatusVariablesFirst) {
    reload(
        sampleWith(QStringLiteral("def_sv SV_SHADOW {\n    svid    : 1001\n"
                                  "    format  : U4\n}\n")));
    TformTRSet& f = open();
    typeNew("TR2", "TR_NEW");
    typeLink(grid(), 1, "1001");
    EXPECT_EQ(grid()->cell(2, 1), QStringLiteral("SV_SHADOW (SV)"));
    // A typed SVID without a name: Cancel keeps it.
    grid()->setCell(1, 2, "2001");
    script.modalSteps.push_back(cancelPicker());
    emit grid()->cellDblClick(1, 2);
    EXPECT_EQ(grid()->cell(1, 2), QStringLiteral("2001"));
    // An EC picked from the variable picker is taken.
    script.modalSteps.push_back(pickRow("1003", kModeEc));
    emit grid()->cellDblClick(1, 3);
    EXPECT_EQ(linkRows(grid(), 3),
              (QStringList{"1001 SV_SHADOW (SV)", "2001 ", "1003 EC_ESTABLISH_TIMEOUT"}));
    press(f.btnOK);
    EXPECT_EQ(heldTrace("TR2").svids, (std::vector<int32_t>{1001, 2001, 1003}));

    // The report editor resolves the same VID to the constant.
    openForm(formRPSet);
    press(formRPSet->btnNew);
    typeLink(formRPSet->SG2, 1, "1001");
    EXPECT_EQ(formRPSet->SG2->cell(2, 1), QStringLiteral("EC_HEATER_SETPOINT (EC)"));
}

}  // namespace
}  // namespace zor::editor
