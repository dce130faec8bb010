// The process program, formatted process program and recipe editors against
// the real zoredit, loaded with the sample equipment, pressed as a user does.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "editor/forms/formfppset.h"
#include "editor/forms/formppset.h"
#include "editor/forms/formrcpset.h"
#include "editor/forms/hidden_note.h"
#include "editor/forms/item_grid.h"
#include "editor/forms/link_editor_test.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/sjis.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

// Column 2 of rows `first` to `last` of an item grid.
QStringList values(const ItemGrid* grid, int first, int last) {
    QStringList out;
    for (int row = first; row <= last; ++row) out << grid->cell(2, row);
    return out;
}

class ProgramEditors : public LinkEditorTest {
  protected:
    void typeNew(DefinitionForm& f, const QString& id, const QString& name) {
        press(f.btnNew);
        f.edtId->setText(id);
        f.edtName->setText(name);
    }
    QString lastMessage() const { return script.messages.value(script.messages.size() - 1); }
};

// ---- process programs -------------------------------------------------------------

TEST_F(ProgramEditors, TheProcessProgramEditorListsShowsAndAddsWithTrimmedIdsAndEmptyBodies) {
    TformPPSet& f = openForm(formPPSet);
    EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("PPID"));
    EXPECT_EQ(listedIds(f.SG1), (QStringList{"SIO2_100NM", "SIN_50NM"}));
    EXPECT_TRUE(f.btnRecover->isHidden());
    EXPECT_EQ(f.edtName->objectName(), QStringLiteral("edtname"));
    editRow(f, "SIN_50NM");
    EXPECT_EQ(f.edtName->text(), QStringLiteral("PP_SIN_50NM"));
    EXPECT_EQ(f.edtPpbody->text(), QStringLiteral("C:\\\\CVD300\\\\PP\\\\SIN_50NM.PPB"));
    press(f.btnReset);
    EXPECT_TRUE(f.edtId->text().isEmpty() && f.edtPpbody->text().isEmpty());

    typeNew(f, QStringLiteral(" PP3 "), QStringLiteral("PP_THREE"));
    EXPECT_TRUE(f.edtPpbody->text().isEmpty());
    press(f.btnOK);
    EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    EXPECT_EQ(listedIds(f.SG1), (QStringList{"SIO2_100NM", "SIN_50NM", "PP3"}));
    lib::Record<TPP_INFO> held;
    ASSERT_EQ(GemGetPpInfo(0, "PP3", held.get()), 0);
    EXPECT_STREQ(held->ppbody, "");
    EXPECT_EQ(held->ppbody_length, 0);
    EXPECT_EQ(formVMenu->Modified, 1);
}

TEST_F(ProgramEditors, TheProcessProgramEditorRefusesInOrderAndByCaseInsensitiveIds) {
    TformPPSet& f = openForm(formPPSet);
    typeNew(f, QStringLiteral(" "), QStringLiteral(" "));
    press(f.btnOK);
    EXPECT_EQ(lastMessage(), QStringLiteral("PPIDを確認してください。"));
    f.edtId->setText(QStringLiteral("PP4"));
    press(f.btnOK);
    EXPECT_EQ(lastMessage(), QStringLiteral("名前を確認してください。"));
    EXPECT_EQ(formVMenu->Modified, 1);  // marked even after a refusal
    f.edtId->setText(QStringLiteral("sio2_100nm"));
    f.edtName->setText(QStringLiteral("PP_OTHER"));
    press(f.btnOK);
    EXPECT_EQ(lastMessage(), QStringLiteral("IDが重複しています。 1番目を確認してください。"));
    EXPECT_EQ(listedIds(f.SG1).size(), 2);
    lib::Record<TPP_INFO> held;
    ASSERT_EQ(GemGetPpInfo(0, "SIO2_100NM", held.get()), 0);
    EXPECT_STREQ(held->name, "PP_SIO2_100NM");
}

// Delete marks the row; Edit and Delete on the mark do nothing at all.
TEST_F(ProgramEditors, ADeletedProcessProgramStaysListedUnderTheMark) {
    TformPPSet& f = openForm(formPPSet);
    f.selectListRow(1);
    press(f.btnDel);
    EXPECT_EQ(script.questions,
              QStringList{"PPID = SIO2_100NM 名前=PP_SIO2_100NMを削除しますか？"});
    ASSERT_EQ(f.SG1->cell(1, 1), QStringLiteral("***"));
    lib::Record<TPP_INFO> held;
    ASSERT_EQ(GemGetPpInfo(0, "SIO2_100NM", held.get()), 0);
    EXPECT_EQ(held->deleted, 1);
    press(f.btnNew);
    f.selectListRow(1);
    press(f.btnEdit);
    press(f.btnDel);
    EXPECT_EQ(f.edtName->text(), QStringLiteral("PP_"));
    EXPECT_EQ(script.questions.size(), 1);
    EXPECT_EQ(f.SG1->cell(1, 1), QStringLiteral("***"));
}

// ---- formatted process programs -------------------------------------------------------

TEST_F(ProgramEditors, TheFppEditorShowsTheSamplesCommandCodesInTheirRows) {
    TformFPPSet& f = openForm(formFPPSet);
    EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("FPPID"));
    EXPECT_EQ(f.SG2->rowCount(), 23);
    EXPECT_EQ(f.SG2->cell(1, 18), QStringLiteral("CCODE-4"));
    EXPECT_EQ(f.SG2->cell(0, 22), QStringLiteral("  22"));
    editRow(f, "FPP_STD");
    EXPECT_EQ(f.edtName->text(), QStringLiteral("FPP_STANDARD"));
    EXPECT_EQ(values(f.SG2, 1, 13), (QStringList{"CVD-300", "V1.02", "HEAT", "350.0", "600", "", "",
                                                 "DEPO", "133.3", "SiH4, N2O", "", "", "PURGE"}));
    EXPECT_TRUE(f.SG2->hiddenNote->isHidden());
    press(f.btnNew);
    EXPECT_EQ(f.edtName->text(), QStringLiteral("FPP_"));
    EXPECT_EQ(values(f.SG2, 1, 3), (QStringList{"", "", ""}));
    EXPECT_EQ(f.SG2->cell(1, 3), QStringLiteral("CCODE-1"));
}

TEST_F(ProgramEditors, AnFppParameterUnderAnEmptyCodeIsRefusedAndNothingIsSet) {
    TformFPPSet& f = openForm(formFPPSet);
    typeNew(f, QStringLiteral("F2"), QStringLiteral("FPP_TWO"));
    f.SG2->setCell(2, 3, QStringLiteral("HEAT"));
    f.SG2->setCell(2, 10, QStringLiteral("7"));
    press(f.btnOK);
    EXPECT_EQ(lastMessage(),
              QStringLiteral("CCODE-2が空のまま PPARAM-2-2（10行目）が入力されています。"
                             "CCODE-2を入力するか、PPARAMを消してください。"));
    lib::Record<TFPP_INFO> held;
    EXPECT_NE(GemGetFppInfo(0, "F2", held.get()), 0);
    // The detail stays for the user to mend.
    f.SG2->setCell(2, 8, QStringLiteral("DEPO"));
    press(f.btnOK);
    ASSERT_EQ(GemGetFppInfo(0, "F2", held.get()), 0);
    ASSERT_EQ(held->ccode_count, 2);
    EXPECT_STREQ(held->ccodes[1]->pparams[0]->pparam, "7");
}

// An ID sent with its leading blank is listed with it and found again by
// Edit and Delete.
TEST_F(ProgramEditors, AnFppIdWithALeadingBlankCanBeEditedAndDeleted) {
    TformFPPSet& f = openForm(formFPPSet);
    typeNew(f, QStringLiteral(" F9"), QStringLiteral("FPP_NINE"));
    press(f.btnOK);
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    ASSERT_EQ(listedIds(f.SG1), (QStringList{"FPP_STD", " F9"}));
    press(f.btnReset);
    editRow(f, " F9");
    EXPECT_EQ(f.edtName->text(), QStringLiteral("FPP_NINE"));
    f.selectListRow(2);
    press(f.btnDel);
    EXPECT_EQ(f.SG1->cell(1, 2), QStringLiteral("***"));
    lib::Record<TFPP_INFO> held;
    ASSERT_EQ(GemGetFppInfo(0, " F9", held.get()), 0);
    EXPECT_EQ(held->deleted, 1);
}

// ---- recipes ---------------------------------------------------------------------------

TEST_F(ProgramEditors, TheRecipeEditorShowsTheSampleAndAddsPackedParameters) {
    TformRCPSet& f = openForm(formRCPSet);
    EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("RCPID"));
    EXPECT_GT(f.SG2->rowHeight(1), f.SG2->rowHeight(2));
    editRow(f, "RCP_SIO2_STD");
    EXPECT_EQ(values(f.SG2, 1, 8), (QStringList{"成膜レシピ: SiO2 100nm", "TEMP", "350.0", "TIME",
                                                "600", "COMMENT", "", ""}));
    typeNew(f, QStringLiteral("R2"), QStringLiteral("RCP_TWO"));
    f.SG2->setCell(2, 4, QStringLiteral("P2"));
    f.SG2->setCell(2, 10, QStringLiteral("P5"));
    f.SG2->setCell(2, 11, QStringLiteral("5"));
    press(f.btnOK);
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    lib::Record<TRCP_INFO> held;
    ASSERT_EQ(GemGetRcpInfo(0, "R2", held.get()), 0);
    ASSERT_EQ(held->param_count, 2);
    EXPECT_STREQ(held->params[0]->name, "P2");
    EXPECT_EQ(held->params[0]->value, nullptr);
    EXPECT_STREQ(held->params[1]->value, "5");
    EXPECT_EQ(held->rcpbody, nullptr);

    typeNew(f, QStringLiteral("R3"), QStringLiteral("RCP_THREE"));
    f.SG2->setCell(2, 3, QStringLiteral("9"));
    press(f.btnOK);
    EXPECT_EQ(lastMessage(),
              QStringLiteral("ParaName-1が空のまま ParaVal-1（3行目）が入力されています。"
                             "名前を入力するか、値を消してください。"));
    EXPECT_EQ(listedIds(f.SG1), (QStringList{"RCP_SIO2_STD", "R2"}));
}

}  // namespace
}  // namespace zor::editor
