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
#include "editor/forms/fpp_record.h"
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

// The sample with the blocks `extra` makes after it, and its object lines.
class ExtraRoundTrip : public ProgramRoundTrip {
  protected:
    explicit ExtraRoundTrip(QString (*extra)()) : extra_(extra) {}
    void SetUp() override {
        reload(sampleWith(extra_()));
        before = testing::objectLines(eq->object);
    }
    Lines before;

  private:
    QString (*extra_)();
};

class WideProgramRoundTrip : public ExtraRoundTrip {
  protected:
    WideProgramRoundTrip() : ExtraRoundTrip(wideSource) {}
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

// ---- a numeric value of every format ---------------------------------------------------

// Each format that holds values, with the text its item holds and the one
// typed over it (texts unique, so that each item is found in the line).
struct FormatValue {
    const char* format;
    const char* held;
    const char* typed;
};
const FormatValue kFormatValues[] = {
    {"I1", "-11", "-128"},       {"I2", "12", "32767"}, {"I4", "14", "-70000"},
    {"I8", "18", "-9000000000"}, {"U1", "21", "255"},   {"U2", "22", "65535"},
    {"U4", "24", "70000"},       {"U8", "28", "0x1F"},  {"F4", "3.5", "360.0"},
    {"F8", "4.25", "1e300"},     {"BO", "T", "FALSE"},  {"B", "88", "0x7F"},
};

// An FPP with three codes of four parameters, and two recipes of six
// values, one item of every format.
QString formatsSource() {
    QString fpp = QStringLiteral(
        "def_fpp FPP_FORMATS {\n    ppid : A[1..80] FPP_FORMATS\n    mdln : \"M\"\n"
        "    softrev : \"S\"\n");
    QString rcp[2];
    for (int i = 0; i < 12; ++i) {
        const FormatValue& v = kFormatValues[i];
        if (i % 4 == 0) fpp += QStringLiteral("    ccode : A[8] C%1\n").arg(i / 4 + 1);
        fpp += QStringLiteral("    pparam : %1[1] %2\n").arg(v.format, v.held);
        rcp[i / 6] += QStringLiteral("    rcpparname : N%1\n    rcpparval : %2[1] %3\n")
                          .arg(i)
                          .arg(v.format, v.held);
    }
    return fpp + QStringLiteral("}\n") + QStringLiteral("def_rcp RCP_F1 {\n    rcpid : RCP_F1\n") +
           rcp[0] + QStringLiteral("}\n") +
           QStringLiteral("def_rcp RCP_F2 {\n    rcpid : RCP_F2\n") + rcp[1] +
           QStringLiteral("}\n");
}

// `line` with the item text `tag` "held" made "typed": the rest of the
// line, its format and sizes, as it was.
QByteArray retyped(QByteArray line, const char* tag, const char* held, const char* typed) {
    auto field = [&](const char* text) {
        return QByteArray(tag) + QByteArray::number(qstrlen(text), 16).rightJustified(8, '0') +
               QByteArray(text) + "FORM";
    };
    EXPECT_EQ(line.count(field(held)), 1) << held;
    return line.replace(field(held), field(typed));
}

class FormatsRoundTrip : public ExtraRoundTrip {
  protected:
    FormatsRoundTrip() : ExtraRoundTrip(formatsSource) {}
};

TEST_F(FormatsRoundTrip, ANumberTypedOverAnyFormatKeepsTheFormat) {
    TformFPPSet& fpp = openForm(formFPPSet);
    editRow(fpp, "FPP_FORMATS");
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(fpp.SG2->cell(2, fppParamRow(i / 4 + 1, i % 4 + 1)),
                  QString::fromLatin1(kFormatValues[i].held));
        fpp.SG2->setCell(2, fppParamRow(i / 4 + 1, i % 4 + 1),
                         QString::fromLatin1(kFormatValues[i].typed));
    }
    press(fpp.btnOK);
    fpp.close();
    TformRCPSet& rcp = openForm(formRCPSet);
    for (int r = 0; r < 2; ++r) {
        editRow(rcp, QStringLiteral("RCP_F%1").arg(r + 1));
        for (int n = 1; n <= 6; ++n)
            rcp.SG2->setCell(2, 2 * n + 1, QString::fromLatin1(kFormatValues[r * 6 + n - 1].typed));
        press(rcp.btnOK);
    }
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();

    const Lines after = saveAndCompile();
    EXPECT_EQ(testing::changedKeys(after, before),
              (QStringList{"FP:FPP_FORMATS", "RC:RCP_F1", "RC:RCP_F2"}));
    QByteArray fppLine = before.value("FP:FPP_FORMATS");
    QByteArray rcpLines[2] = {before.value("RC:RCP_F1"), before.value("RC:RCP_F2")};
    for (int i = 0; i < 12; ++i) {
        const FormatValue& v = kFormatValues[i];
        fppLine = retyped(fppLine, "PPAR", v.held, v.typed);
        rcpLines[i / 6] = retyped(rcpLines[i / 6], "PVAL", v.held, v.typed);
    }
    EXPECT_EQ(after.value("FP:FPP_FORMATS"), fppLine);
    EXPECT_EQ(after.value("RC:RCP_F1"), rcpLines[0]);
    EXPECT_EQ(after.value("RC:RCP_F2"), rcpLines[1]);
}

// A text the item's format cannot hold is refused with the library's
// reason, and the definition stays as it was.
TEST_F(FormatsRoundTrip, ATextTheFormatCannotHoldIsRefusedWithItsReason) {
    TformFPPSet& fpp = openForm(formFPPSet);
    editRow(fpp, "FPP_FORMATS");
    fpp.SG2->setCell(2, fppParamRow(3, 1), QStringLiteral("abc"));
    press(fpp.btnOK);
    fpp.close();
    TformRCPSet& rcp = openForm(formRCPSet);
    editRow(rcp, QStringLiteral("RCP_F1"));
    rcp.SG2->setCell(2, 2 * 5 + 1, QStringLiteral("300"));  // U1
    press(rcp.btnOK);
    EXPECT_EQ(script.messages,
              (QStringList{QStringLiteral("!! 設定できませんでした。\n"
                                          "PPARAM-3-1 \"abc\" is no value of its format F4"),
                           QStringLiteral("!! 設定できませんでした。\n"
                                          "ParaVal-5 \"300\" is no value of its format U1")}));
    EXPECT_EQ(testing::changedKeys(saveAndCompile(), before), QStringList{});
}

}  // namespace
}  // namespace zor::editor
