// The process program, formatted process program and recipe editors on the
// whole road: definitions compiled by ZorCompile, loaded, edited and sent
// back, saved through zoredit and compiled again; entries past the grids.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMap>
#include <QPushButton>

#include "editor/forms/formfppset.h"
#include "editor/forms/formppset.h"
#include "editor/forms/formrcpset.h"
#include "editor/forms/hidden_note.h"
#include "editor/forms/item_grid.h"
#include "editor/forms/link_editor_test.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "editor/testing/object_file.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

using Lines = QMap<QByteArray, QByteArray>;

class ProgramRoundTrip : public LinkEditorTest {};

TEST_F(ProgramRoundTrip, EveryProcessProgramComesBackByteIdentical) {
    expectEveryRowBackByteIdentical(*formPPSet);
}
TEST_F(ProgramRoundTrip, EveryFormattedProcessProgramComesBackByteIdentical) {
    expectEveryRowBackByteIdentical(*formFPPSet);
}
TEST_F(ProgramRoundTrip, EveryRecipeComesBackByteIdentical) {
    expectEveryRowBackByteIdentical(*formRCPSet);
}

// ---- past the grids, and values the parts would rewrite -------------------------------

// An FPP of 6 command codes with 6 parameters each, a recipe of 8
// parameters, a process program whose quoted body has edge blanks, and an
// FPP and a recipe holding empty texts.
QString wideSource() {
    QString s = QStringLiteral(
        "def_fpp FPP_WIDE {\n    ppid    : A[1..80] FPP_WIDE\n    mdln    : \"M\"\n"
        "    softrev : \"S\"\n");
    for (int c = 1; c <= 6; ++c) {
        s += QStringLiteral("    ccode   : A[8] C%1\n").arg(c);
        for (int p = 1; p <= 6; ++p)
            s += QStringLiteral("    pparam  : A[8] P%1%2\n").arg(c).arg(p);
    }
    s += QStringLiteral("}\ndef_rcp RCP_WIDE {\n    rcpid      : RCP_WIDE\n");
    for (int p = 1; p <= 8; ++p)
        s += QStringLiteral("    rcpparname : N%1\n    rcpparval  : A[4] V%1\n").arg(p);
    s += QStringLiteral(
        "}\ndef_pp PP_SPACED {\n    ppid    : A[1..80] SPACED\n"
        "    ppbody  : A[1..64] \"  body with edge blanks  \"\n}\n"
        "def_fpp FPP_EMPTY {\n    ppid    : A[1..80] FPP_EMPTY\n    mdln    : \"\"\n"
        "    softrev : \"S\"\n    ccode   : A[8] \"\"\n    pparam  : A[8] \"\"\n"
        "    pparam  : A[8] Q\n}\n"
        "def_rcp RCP_EMPTY {\n    rcpid      : RCP_EMPTY\n    rcpbody    : \"\"\n"
        "    rcpparname : \"\"\n    rcpparval  : A[4] \"\"\n}\n");
    return s;
}

QStringList heldFppCodes(const char* id) {
    lib::Record<TFPP_INFO> r;
    EXPECT_EQ(GemGetFppInfo(0, id, r.get()), 0);
    QStringList out;
    for (int32_t i = 0; i < r->ccode_count; ++i) {
        QStringList params;
        for (int32_t j = 0; j < r->ccodes[i]->pparam_count; ++j)
            params << QString::fromLatin1(r->ccodes[i]->pparams[j]->pparam);
        out << QString::fromLatin1(r->ccodes[i]->ccode) + u':' + params.join(u',');
    }
    return out;
}

QStringList heldRecipeValues(const char* id) {
    lib::Record<TRCP_INFO> r;
    EXPECT_EQ(GemGetRcpInfo(0, id, r.get()), 0);
    QStringList out;
    for (int32_t i = 0; i < r->param_count; ++i)
        out << QString::fromLatin1(r->params[i]->name) + u'=' +
                   QString::fromLatin1(r->params[i]->value);
    return out;
}

QStringList wideCodes(const QString& firstParam) {
    QStringList codes;
    for (int c = 1; c <= 6; ++c) {
        QStringList params;
        for (int p = 1; p <= 6; ++p) params << QStringLiteral("P%1%2").arg(c).arg(p);
        if (c == 1) params[0] = firstParam;
        codes << QStringLiteral("C%1:").arg(c) + params.join(u',');
    }
    return codes;
}

QStringList wideValues(const QString& firstValue) {
    QStringList values;
    for (int p = 1; p <= 8; ++p) values << QStringLiteral("N%1=V%1").arg(p);
    values[0] = QStringLiteral("N1=") + firstValue;
    return values;
}

class WideProgramRoundTrip : public ProgramRoundTrip {
  protected:
    void SetUp() override {
        reload(sampleWith(wideSource()));
        before = testing::objectLines(eq->object);
    }
    Lines before;
};

TEST_F(WideProgramRoundTrip, UnchangedOksKeepEveryEntryAndEveryText) {
    TformFPPSet& fpp = openForm(formFPPSet);
    editRow(fpp, "FPP_WIDE");
    EXPECT_EQ(fpp.SG2->cell(2, 22), QStringLiteral("P44"));
    EXPECT_EQ(fpp.SG2->hiddenNote->text(), QStringLiteral("他22件は表示外（保持されます）"));
    EXPECT_FALSE(fpp.SG2->hiddenNote->isHidden());
    press(fpp.btnOK);
    editRow(fpp, "FPP_EMPTY");
    press(fpp.btnOK);
    press(fpp.btnNew);
    EXPECT_TRUE(fpp.SG2->hiddenNote->isHidden());
    fpp.close();

    TformRCPSet& rcp = openForm(formRCPSet);
    editRow(rcp, "RCP_WIDE");
    EXPECT_EQ(rcp.SG2->hiddenNote->text(), QStringLiteral("他2件は表示外（保持されます）"));
    press(rcp.btnOK);
    editRow(rcp, "RCP_EMPTY");
    press(rcp.btnOK);
    rcp.close();

    TformPPSet& pp = openForm(formPPSet);
    editRow(pp, "SPACED");
    EXPECT_EQ(pp.edtPpbody->text(), QStringLiteral("  body with edge blanks  "));
    press(pp.btnOK);
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();

    EXPECT_EQ(heldFppCodes("FPP_WIDE"), wideCodes(QStringLiteral("P11")));
    EXPECT_EQ(heldRecipeValues("RCP_WIDE"), wideValues(QStringLiteral("V1")));
    EXPECT_EQ(testing::changedKeys(saveAndCompile(), before), QStringList{});
}

TEST_F(WideProgramRoundTrip, EditingTheFirstParameterKeepsTheOnesPastTheGrid) {
    TformFPPSet& fpp = openForm(formFPPSet);
    editRow(fpp, "FPP_WIDE");
    fpp.SG2->setCell(2, 4, QStringLiteral("X11"));
    press(fpp.btnOK);
    fpp.close();
    TformRCPSet& rcp = openForm(formRCPSet);
    editRow(rcp, "RCP_WIDE");
    rcp.SG2->setCell(2, 3, QStringLiteral("X1"));
    press(rcp.btnOK);
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();

    EXPECT_EQ(heldFppCodes("FPP_WIDE"), wideCodes(QStringLiteral("X11")));
    EXPECT_EQ(heldRecipeValues("RCP_WIDE"), wideValues(QStringLiteral("X1")));
    const Lines after = saveAndCompile();
    EXPECT_EQ(testing::changedKeys(after, before), (QStringList{"FP:FPP_WIDE", "RC:RCP_WIDE"}));
    EXPECT_EQ(after.value("FP:FPP_WIDE").count("PPAR"), 36);
    EXPECT_TRUE(after.value("FP:FPP_WIDE").contains("X11"));
    EXPECT_EQ(after.value("RC:RCP_WIDE").count("PNAM"), 8);
}

}  // namespace
}  // namespace zor::editor
