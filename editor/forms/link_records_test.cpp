// OK's validation of the CE, report, trace and alarm editors, without their windows.
#include <gtest/gtest.h>

#include "editor/forms/alarm_record.h"
#include "editor/forms/ce_record.h"
#include "editor/forms/report_record.h"
#include "editor/forms/trace_record.h"
#include "editor/shell/action.h"
#include "editor/shell/library.h"
#include "editor/shell/qt_print.h"

namespace zor::editor {
namespace {

QStringList cells(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts) out << QString::fromUtf8(t);
    return out;
}

// Builds with `build` and gives back the message, or the conversion error's.
template <typename Detail, typename Record>
QString refusal(QString (*build)(const Detail&, Record*), const Detail& d) {
    lib::Record<Record> r;
    try {
        return build(d, r.get());
    } catch (const ActionError& e) {
        return QStringLiteral("thrown: ") + e.text();
    }
}

TEST(BuildCe, RefusesInOksOrderAndPacksTheLinks) {
    const QString idName = QStringLiteral("ID、名前を確認してください。");
    const QString badId = QStringLiteral("IDの値が正しくありません。");
    // A bad link cell is read last: the ID messages come first.
    const QStringList badLink = cells({"x"});
    EXPECT_EQ(refusal(buildCe, CeDetail{" ", "CE_A", 1, badLink}), idName);
    EXPECT_EQ(refusal(buildCe, CeDetail{"5", " ", 1, badLink}), idName);
    EXPECT_EQ(refusal(buildCe, CeDetail{"0", "CE_A", 1, badLink}), badId);
    EXPECT_EQ(refusal(buildCe, CeDetail{"-1", "CE_A", 1, badLink}), badId);
    EXPECT_EQ(refusal(buildCe, CeDetail{"5", "CE_A", 1, badLink}),
              QStringLiteral("thrown: 'x' は整数ではありません"));

    lib::Record<TCE_INFO> r;
    ASSERT_EQ(buildCe({" 5001 ", " CE_A ", 0, cells({"3001", "", "3003", " "})}, r.get()),
              QString());
    EXPECT_EQ(r->ceid, 5001);
    EXPECT_STREQ(r->name, "CE_A");
    EXPECT_EQ(r->ceed, 0);
    ASSERT_EQ(r->rpid_count, 2);
    EXPECT_EQ(r->rpids[0], 3001);
    EXPECT_EQ(r->rpids[1], 3003);
}

TEST(BuildReport, RefusesInOksOrderAndTakesNoVidsAsWellAsSome) {
    const QStringList badLink = cells({"", "12x"});
    EXPECT_EQ(refusal(buildReport, ReportDetail{"", "RP_A", badLink}),
              QStringLiteral("ID、名前を確認してください。"));
    EXPECT_EQ(refusal(buildReport, ReportDetail{"-1", "RP_A", badLink}),
              QStringLiteral("IDの値が正しくありません。"));
    EXPECT_EQ(refusal(buildReport, ReportDetail{"7", "RP_A", badLink}),
              QStringLiteral("thrown: '12x' は整数ではありません"));

    lib::Record<TRP_INFO> r;
    ASSERT_EQ(buildReport({"7", "RP_A", cells({"", "", ""})}, r.get()), QString());
    EXPECT_EQ(r->vid_count, 0);
    EXPECT_EQ(r->vids, nullptr);
    r.release();
    // Rows 1, 2 and 5; "0" is kept (a stored link that resolves to nothing).
    ASSERT_EQ(buildReport({"7", "RP_A", cells({"2001", "0", "", "", "1001"})}, r.get()), QString());
    ASSERT_EQ(r->vid_count, 3);
    EXPECT_EQ(r->vids[0], 2001);
    EXPECT_EQ(r->vids[1], 0);
    EXPECT_EQ(r->vids[2], 1001);
}

TraceDetail trace(const char* dsper, const char* totsmp, const char* repgsz,
                  std::initializer_list<const char*> svids = {"2001"}) {
    TraceDetail d = newTraceDetail();
    d.id = QStringLiteral("TR1");
    d.name = QStringLiteral("TR_A");
    d.dsper = QString::fromUtf8(dsper);
    d.totsmp = QString::fromUtf8(totsmp);
    d.repgsz = QString::fromUtf8(repgsz);
    d.svids = cells(svids);
    return d;
}

TEST(BuildTrace, RefusesInOksOrder) {
    const QString counts = QStringLiteral("時間周期、ｻﾝﾌﾟﾙ数、ﾚﾎﾟｰﾄｸﾞﾙｰﾌﾟｻｲｽﾞを確認してください。");
    const QString period = QStringLiteral("時間周期を確認してください。");
    const QString samples = QStringLiteral("合計ｻﾝﾌﾟﾙ数を確認してください。");
    const QString group = QStringLiteral("ﾚﾎﾟｰﾄｸﾞﾙｰﾌﾟｻｲｽﾞを確認してください。");
    TraceDetail d = trace("00000100", "1", "1");
    d.name = QStringLiteral("  ");
    EXPECT_EQ(refusal(buildTrace, d), QStringLiteral("ID、名前を確認してください。"));
    EXPECT_EQ(refusal(buildTrace, trace("", "x", "1")), counts);
    EXPECT_EQ(refusal(buildTrace, trace("1", "1", " ")), counts);
    EXPECT_EQ(refusal(buildTrace, trace("0", "0", "0")), period);
    EXPECT_EQ(refusal(buildTrace, trace("00000000", "1", "1")), period);
    EXPECT_EQ(refusal(buildTrace, trace("1x", "0", "1")),
              QStringLiteral("thrown: '1x' は整数ではありません"));
    EXPECT_EQ(refusal(buildTrace, trace("100", "0", "x")), samples);
    // Counts below 1 are no counts: the compiler refuses them too.
    EXPECT_EQ(refusal(buildTrace, trace("100", "-5", "1")), samples);
    EXPECT_EQ(refusal(buildTrace, trace("100", "2", "0")), group);
    EXPECT_EQ(refusal(buildTrace, trace("100", "2", "-1")), group);
    EXPECT_EQ(refusal(buildTrace, trace("100", "2", "1x")),
              QStringLiteral("thrown: '1x' は整数ではありません"));
    EXPECT_EQ(refusal(buildTrace, trace("100", "2", "1", {"", " "})),
              QStringLiteral("SVIDを設定してください。"));
    EXPECT_EQ(refusal(buildTrace, trace("100", "2", "1", {"abc"})),
              QStringLiteral("thrown: 'abc' は整数ではありません"));
}

TEST(BuildTrace, StoresThePeriodAsTypedAndTheSvidsPacked) {
    TraceDetail d = trace(" 000001 ", " 3 ", "2", {"2001", "", "2002", "", "1001"});
    d.id = QStringLiteral(" ﾄﾚｰｽ1 ");
    lib::Record<TTRACE_INFO> r;
    ASSERT_EQ(buildTrace(d, r.get()), QString());
    EXPECT_EQ(QByteArray(r->trid), QByteArray("\xC4\xDA\xB0\xBD"
                                              "1"));
    EXPECT_EQ(r->trid_format, 16);
    EXPECT_EQ(r->trid_length, 5);  // bytes, not characters
    EXPECT_STREQ(r->name, "TR_A");
    EXPECT_STREQ(r->dsper, "000001");
    EXPECT_EQ(r->totsmp, 3);
    EXPECT_EQ(r->repgsz, 2);
    ASSERT_EQ(r->svid_count, 3);
    EXPECT_EQ(r->svids[0], 2001);
    EXPECT_EQ(r->svids[1], 2002);
    EXPECT_EQ(r->svids[2], 1001);

    const TraceDetail shown = viewTrace(*r);
    EXPECT_EQ(shown.id, QStringLiteral("ﾄﾚｰｽ1"));
    EXPECT_EQ(shown.dsper, QStringLiteral("000001"));
    EXPECT_EQ(shown.totsmp, QStringLiteral("3"));
    EXPECT_EQ(shown.repgsz, QStringLiteral("2"));
}

// ---- alarms ----------------------------------------------------------------------

AlarmDetail alarm(const char* id, const char* name, const char* alcd, const char* altx = "",
                  const char* ceOn = "", const char* ceOff = "") {
    AlarmDetail d;
    d.id = QString::fromUtf8(id);
    d.name = QString::fromUtf8(name);
    d.alcd = QString::fromUtf8(alcd);
    d.altx = QString::fromUtf8(altx);
    d.ceOn = QString::fromUtf8(ceOn);
    d.ceOff = QString::fromUtf8(ceOff);
    return d;
}

TEST(BuildAlarm, RefusesInOksOrder) {
    const QString alid = QStringLiteral("alidを確認してください。");
    const QString alcd = QStringLiteral("alcdを確認してください。");
    const QString name = QStringLiteral("名前を確認してください。");
    // Every later field is bad too: the first check that fails is shown.
    EXPECT_EQ(refusal(buildAlarm, alarm(" ", " ", " ", "", "x")), alid);
    EXPECT_EQ(refusal(buildAlarm, alarm("1", " ", " ", "", "x")), alcd);
    EXPECT_EQ(refusal(buildAlarm, alarm("1", " ", "300", "", "x")), name);
    EXPECT_EQ(refusal(buildAlarm, alarm("1x", "AL_A", "300", "", "x")),
              QStringLiteral("thrown: '1x' は整数ではありません"));
    EXPECT_EQ(refusal(buildAlarm, alarm("-1", "AL_A", "300", "", "x")),
              QStringLiteral("IDの値が正しくありません。"));
    EXPECT_EQ(refusal(buildAlarm, alarm("1", "AL_A", "0x85", "", "x")),
              QStringLiteral("thrown: '0x85' は整数ではありません"));
    EXPECT_EQ(refusal(buildAlarm, alarm("1", "AL_A", "5", "", "x")),
              QStringLiteral("thrown: 'x' は整数ではありません"));
    EXPECT_EQ(refusal(buildAlarm, alarm("1", "AL_A", "5", "", "", "5001x")),
              QStringLiteral("thrown: '5001x' は整数ではありません"));
}

TEST(BuildAlarm, TheCodeIsOneByteWithoutWrapping) {
    for (const char* bad : {"256", "300", "-1"})
        EXPECT_EQ(refusal(buildAlarm, alarm("1", "AL_A", bad)),
                  QStringLiteral("alcdを確認してください。"))
            << bad;
    for (int good : {0, 133, 255}) {
        lib::Record<TAL_INFO> r;
        ASSERT_EQ(buildAlarm(alarm("1", "AL_A", QByteArray::number(good).constData()), r.get()),
                  QString());
        EXPECT_EQ(r->alcd, good);
    }
}

TEST(BuildAlarm, KeepsTheTextAsTypedAndTrimsTheRest) {
    lib::Record<TAL_INFO> r;
    AlarmDetail d = alarm(" 0 ", " AL_A ", " 7 ", "  Heater, over temp  ", " 5001 ", "");
    d.aled = 0;
    ASSERT_EQ(buildAlarm(d, r.get()), QString());
    EXPECT_EQ(r->alid, 0);  // an alarm ID like any other
    EXPECT_STREQ(r->name, "AL_A");
    EXPECT_EQ(r->alcd, 7);
    EXPECT_STREQ(r->altx, "  Heater, over temp  ");
    EXPECT_EQ(r->aled, 0);
    EXPECT_EQ(r->ce_on, 5001u);
    EXPECT_EQ(r->ce_off, 0u);

    // An empty text is a text; a CE with a negative ID links by its pattern.
    lib::Record<TAL_INFO> e;
    ASSERT_EQ(buildAlarm(alarm("2", "AL_B", "1", "", "4294967291", "-5"), e.get()), QString());
    EXPECT_STREQ(e->altx, "");
    EXPECT_EQ(e->ce_on, 4294967291u);
    EXPECT_EQ(e->ce_off, 4294967291u);
    EXPECT_EQ(e->aled, 1);
}

TEST(ReadCeid, TakesSignedAndUnsignedThirtyTwoBitDecimalsOnly) {
    EXPECT_EQ(readCeid(QStringLiteral(" 42 ")), 42u);
    EXPECT_EQ(readCeid(QStringLiteral("-1")), 0xffffffffu);
    EXPECT_EQ(readCeid(QStringLiteral("4294967295")), 0xffffffffu);
    for (const char* bad : {"4294967296", "+4294967295", "0x10", "1 2", ""}) {
        try {
            readCeid(QString::fromLatin1(bad));
            ADD_FAILURE() << bad;
        } catch (const ActionError& e) {
            EXPECT_EQ(e.text(),
                      QStringLiteral("'%1' は整数ではありません").arg(QLatin1String(bad)));
        }
    }
}

}  // namespace
}  // namespace zor::editor
