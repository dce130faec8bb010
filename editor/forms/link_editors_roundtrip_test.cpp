// The CE, report, trace, alarm and spool editors on the whole road: the
// sample equipment compiled by ZorCompile, loaded, every definition of a kind
// edited and sent back unchanged, saved through zoredit and compiled again;
// lists longer than a grid shows; and a session that adds a report, a CE and
// a trace.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>

#include "editor/forms/formalset.h"
#include "editor/forms/formceset.h"
#include "editor/forms/formrpset.h"
#include "editor/forms/formspset.h"
#include "editor/forms/formtrset.h"
#include "editor/forms/link_editor_test.h"
#include "editor/forms/spool_record.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "editor/testing/object_file.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

using Lines = QMap<QByteArray, QByteArray>;

class LinkRoundTrip : public LinkEditorTest {};

TEST_F(LinkRoundTrip, EveryEventComesBackByteIdentical) {
    expectEveryRowBackByteIdentical(*formCESet);
}
TEST_F(LinkRoundTrip, EveryReportComesBackByteIdentical) {
    expectEveryRowBackByteIdentical(*formRPSet);
}
TEST_F(LinkRoundTrip, EveryTraceComesBackByteIdentical) {
    expectEveryRowBackByteIdentical(*formTRSet);
}

TEST_F(LinkRoundTrip, EveryAlarmComesBackByteIdentical) {
    expectEveryRowBackByteIdentical(*formALSet);
}

// Codes written in another form or wider than a byte, and texts with edge
// blanks, are kept as the source has them when the alarm is sent back.
TEST_F(LinkRoundTrip, AnAlarmsWrittenCodeAndEdgeBlanksSurviveAnUnchangedOk) {
    reload(
        sampleWith(QStringLiteral("def_alarm AL_ODD {\n    alid : 6900\n    alcd : 300\n"
                                  "    altx : \"  padded text  \"\n}\n")));
    expectEveryRowBackByteIdentical(*formALSet);
    EXPECT_TRUE(testing::objectLines(eq->object)
                    .value("AL:AL_ODD")
                    .contains("ALCD00000003300ALTX0000000f  padded text  "))
        << testing::objectLines(eq->object).value("AL:AL_ODD").toStdString();
}

TEST_F(LinkRoundTrip, EverySpoolStreamComesBackByteIdentical) {
    const Lines before = testing::objectLines(eq->object);
    TformSPSet& f = openForm(formSPSet);
    int streams = 0;
    for (int stream = 0; stream < 128; ++stream) {
        std::vector<int32_t> held;
        if (!spoolFunctions(stream, &held) || held.empty()) continue;
        ++streams;
        f.edtS->setText(QString::number(stream));
        press(f.btnCurrent);
        press(f.btnSet);
    }
    EXPECT_EQ(streams, 2);
    EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    EXPECT_EQ(testing::changedKeys(saveAndCompile(), before), QStringList{});
}

// The compiler takes no stream 0 as written; what zoredit writes for it
// comes back as stream 0.
TEST_F(LinkRoundTrip, StreamZeroSurvivesSetSaveAndCompile) {
    TformSPSet& f = openForm(formSPSet);
    f.edtS->setText("0");
    f.edtF->setText("1");
    press(f.btnAdd);
    press(f.btnSet);
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    const Lines before = testing::objectLines(eq->object);
    Lines after = saveAndCompile();
    const QList<QByteArray> added = after.keys();
    QByteArray line;
    for (const QByteArray& key : added)
        if (!before.contains(key)) line = after.take(key);
    EXPECT_EQ(testing::changedKeys(after, before), QStringList{});
    EXPECT_TRUE(line.startsWith("SP: ")) << line.toStdString();

    // Loaded again from the object file: the editor lists S0F1 first.
    QString error;
    ASSERT_GE(lib::editSetupEquipment(eq->cnf, eq->object, &error), 0) << error.toStdString();
    f.close();
    openForm(formSPSet);
    EXPECT_EQ(f.SG1->cell(1, 1), QStringLiteral("S0F1"));
    EXPECT_EQ(f.SG1->cell(1, 2), QStringLiteral("S5F1"));
}

// ---- lists longer than a grid -------------------------------------------------------

// 40 status variables, a report and a trace naming all of them, 256 reports
// and a CE naming all of those (the language's most).
QString wideSource() {
    QString s;
    for (int i = 0; i < 40; ++i)
        s += QStringLiteral("def_sv SV_W%1 {\n    svid    : %2\n    format  : U4\n}\n")
                 .arg(i, 2, 10, QLatin1Char('0'))
                 .arg(7000 + i);
    s += QStringLiteral("def_report RP_WIDE {\n    rptid   : 4900\n");
    for (int i = 0; i < 40; ++i)
        s += QStringLiteral("    vname   : SV_W%1\n").arg(i, 2, 10, QLatin1Char('0'));
    s += QStringLiteral(
        "}\ndef_trace TR_WIDE {\n    trid    : A[1..32] TRACE_WIDE\n    dsper   : 00000100\n"
        "    totsmp  : 5\n    repgsz  : 1\n");
    for (int i = 0; i < 40; ++i)
        s += QStringLiteral("    svname  : SV_W%1\n").arg(i, 2, 10, QLatin1Char('0'));
    s += QStringLiteral("}\n");
    for (int i = 0; i < 256; ++i)
        s += QStringLiteral("def_report RP_N%1 {\n    rptid   : %2\n}\n").arg(i).arg(8000 + i);
    s += QStringLiteral("def_ce CE_WIDE {\n    ceid    : 5900\n");
    for (int i = 0; i < 256; ++i) s += QStringLiteral("    rptname : RP_N%1\n").arg(i);
    return s + QStringLiteral("}\n");
}

std::vector<int32_t> range(int32_t first, int n) {
    std::vector<int32_t> ids;
    for (int i = 0; i < n; ++i) ids.push_back(first + i);
    return ids;
}
std::vector<int32_t> without(std::vector<int32_t> ids, size_t at) {
    ids.erase(ids.begin() + static_cast<std::ptrdiff_t>(at));
    return ids;
}

std::vector<int32_t> reportVids(int32_t rpid) {
    lib::Record<TRP_INFO> r;
    EXPECT_EQ(GemGetRpInfo(0, rpid, r.get()), 0);
    return linksOf(r->vids, r->vid_count);
}
std::vector<int32_t> traceSvids(const char* trid) {
    lib::Record<TTRACE_INFO> r;
    EXPECT_EQ(GemGetTrInfo(0, trid, r.get()), 0);
    return linksOf(r->svids, r->svid_count);
}
std::vector<int32_t> ceReports(int32_t ceid) {
    lib::Record<TCE_INFO> r;
    EXPECT_EQ(GemGetCeInfo(0, ceid, r.get()), 0);
    return linksOf(r->rpids, r->rpid_count);
}

class WideRoundTrip : public LinkRoundTrip {
  protected:
    void SetUp() override {
        reload(sampleWith(wideSource()));
        before = testing::objectLines(eq->object);
    }
    Lines before;
};

TEST_F(WideRoundTrip, AReportKeepsTheVariablesItsGridDoesNotShow) {
    TformRPSet& f = openForm(formRPSet);
    editRow(f, "4900");
    EXPECT_EQ(f.SG2->cell(1, 32), QStringLiteral("7031"));
    EXPECT_EQ(f.SG2->hiddenNote->text(), QStringLiteral("他8件は表示外（保持されます）"));
    EXPECT_FALSE(f.SG2->hiddenNote->isHidden());
    press(f.btnOK);
    EXPECT_EQ(reportVids(4900), range(7000, 40));
    EXPECT_EQ(testing::changedKeys(saveAndCompile(), before), QStringList{});

    editRow(f, "4900");
    f.SG2->clearRow(3);
    press(f.btnOK);
    EXPECT_EQ(reportVids(4900), without(range(7000, 40), 2));
    press(f.btnNew);
    EXPECT_TRUE(f.SG2->hiddenNote->isHidden());
}

TEST_F(WideRoundTrip, ATraceKeepsTheVariablesItsGridDoesNotShow) {
    TformTRSet& f = openForm(formTRSet);
    editRow(f, "TRACE_WIDE");
    EXPECT_EQ(f.SG2->hiddenNote->text(), QStringLiteral("他8件は表示外（保持されます）"));
    press(f.btnOK);
    EXPECT_EQ(traceSvids("TRACE_WIDE"), range(7000, 40));
    EXPECT_EQ(testing::changedKeys(saveAndCompile(), before), QStringList{});

    editRow(f, "TRACE_WIDE");
    f.SG2->clearRow(32);
    press(f.btnOK);
    EXPECT_EQ(traceSvids("TRACE_WIDE"), without(range(7000, 40), 31));
}

TEST_F(WideRoundTrip, AnEventKeepsAllItsReports) {
    TformCESet& f = openForm(formCESet);
    editRow(f, "5900");
    EXPECT_EQ(f.SG2->cell(1, 256), QStringLiteral("8255"));
    EXPECT_TRUE(f.SG2->hiddenNote->isHidden());
    press(f.btnOK);
    EXPECT_EQ(ceReports(5900), range(8000, 256));
    EXPECT_EQ(testing::changedKeys(saveAndCompile(), before), QStringList{});

    editRow(f, "5900");
    f.SG2->clearRow(100);
    press(f.btnOK);
    EXPECT_EQ(ceReports(5900), without(range(8000, 256), 99));
}

TEST_F(WideRoundTrip, ANewReportUnderADeletedOnesIdInheritsNothing) {
    TformRPSet& f = openForm(formRPSet);
    f.selectListRow(rowOf(f.SG1, "4900"));
    press(f.btnDel);
    ASSERT_EQ(f.SG1->cell(1, rowOf(f.SG1, "***")), QStringLiteral("***"));
    press(f.btnNew);
    f.edtId->setText("4900");
    f.edtName->setText("RP_REBORN");
    typeLink(f.SG2, 1, "2001");
    press(f.btnOK);
    EXPECT_TRUE(script.messages.size() == script.questions.size())
        << script.messages.join('|').toStdString();
    EXPECT_EQ(reportVids(4900), std::vector<int32_t>{2001});
    const Lines after = saveAndCompile();
    EXPECT_FALSE(after.contains("RP:RP_WIDE"));
    EXPECT_EQ(after.value("RP:RP_REBORN").count("VNAM"), 1)
        << after.value("RP:RP_REBORN").toStdString();
}

// ---- a session that adds one of each ---------------------------------------------------

TEST_F(LinkRoundTrip, ANewReportCeAndTraceAreAllThatChangesInTheObjectFile) {
    const Lines before = testing::objectLines(eq->object);
    TformRPSet& rp = openForm(formRPSet);
    press(rp.btnNew);
    rp.edtId->setText("4500");
    rp.edtName->setText("RP_E2E");
    typeLink(rp.SG2, 1, "2001");
    typeLink(rp.SG2, 2, "3002");
    press(rp.btnOK);
    rp.close();

    TformCESet& ce = openForm(formCESet);
    press(ce.btnNew);
    ce.edtId->setText("5500");
    ce.edtName->setText("CE_E2E");
    script.modalSteps.push_back(pickRow("4500"));
    emit ce.SG2->cellDblClick(1, 1);
    script.modalSteps.push_back(pickRow("4003"));
    emit ce.SG2->cellDblClick(1, 2);
    press(ce.btnOK);
    ce.close();

    TformTRSet& tr = openForm(formTRSet);
    press(tr.btnNew);
    tr.edtId->setText("TRACE_E2E");
    tr.edtName->setText("TR_E2E");
    tr.edtdsper->setText("00000200");
    tr.edttotsmp->setText("20");
    typeLink(tr.SG2, 1, "2004");
    press(tr.btnOK);
    tr.close();
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();

    const Lines after = saveAndCompile();
    Lines unchanged = after;
    const QByteArray report = unchanged.take("RP:RP_E2E");
    const QByteArray event = unchanged.take("CE:CE_E2E");
    const QByteArray trace = unchanged.take("TR:TR_E2E");
    EXPECT_EQ(testing::changedKeys(unchanged, before), QStringList{});
    EXPECT_TRUE(report.contains("ID  00001194VNAM00000008SV_CLOCKVNAM00000009DV_LOT_ID"))
        << report.toStdString();
    EXPECT_TRUE(event.contains("ID  0000157cENAB") && event.contains("RPNA00000006RP_E2E"
                                                                     "RPNA0000000aRP_CHAMBER"))
        << event.toStdString();
    EXPECT_TRUE(trace.contains("TRACE_E2E")) << trace.toStdString();
    EXPECT_TRUE(trace.contains("SV_CHAMBER_PRESSURE")) << trace.toStdString();
}

}  // namespace
}  // namespace zor::editor
