#include "editor/shell/action.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "editor/shell/qt_print.h"
#include "editor/shell/seam.h"
#include "editor/shell/sjis.h"
#include "editor/testing/scripted_seam.h"

namespace zor::editor {
namespace {

TEST(Conversion, IntegersAreDecimalWithSignAndLeadingBlanksOnly) {
    EXPECT_EQ(toInt(QStringLiteral("42")), 42);
    EXPECT_EQ(toInt(QStringLiteral("-7")), -7);
    EXPECT_EQ(toInt(QStringLiteral("+7")), 7);
    EXPECT_EQ(toInt(QStringLiteral("  12")), 12);
    EXPECT_EQ(toInt(QStringLiteral("2147483647")), 2147483647);
    for (const char* bad :
         {"", " ", "***", "(none)", "1.5", "12 ", "0x10", "-", "2147483648", "1a"}) {
        try {
            toInt(QString::fromLatin1(bad));
            ADD_FAILURE() << bad;
        } catch (const ActionError& e) {
            EXPECT_EQ(e.text(),
                      QStringLiteral("'%1' は整数ではありません").arg(QString::fromLatin1(bad)));
        }
    }
}

TEST(Conversion, FloatsAcceptBlanksAroundAndNameTheTextWhenRefused) {
    EXPECT_DOUBLE_EQ(toFloat(QStringLiteral("1.5")), 1.5);
    EXPECT_DOUBLE_EQ(toFloat(QStringLiteral(" -2e3 ")), -2000.0);
    try {
        toFloat(QStringLiteral("abc"));
        ADD_FAILURE();
    } catch (const ActionError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("'abc' は浮動小数点数ではありません"));
    }
}

TEST(Conversion, AFailedConversionStopsTheActionAndShowsOneMessage) {
    ScriptedSeam seam;
    SeamScope scope(seam);
    QWidget w;
    QPushButton button(&w);
    int before = 0, after = 0;
    onClick(&button, &w, [&] {
        ++before;
        toInt(QStringLiteral("x1"));
        ++after;
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(seam.messages, QStringList{QStringLiteral("'x1' は整数ではありません")});
    EXPECT_TRUE(runAction(&w, [] {}));
}

TEST(ShiftJis, RoundTripsCp932AndRefusesWhatItCannotHold) {
    const QString text = QStringLiteral("装置ﾌﾟﾛｸﾞﾗﾑ①～ABC");
    QByteArray bytes = toSjis(text);
    EXPECT_EQ(bytes.left(4), QByteArray("\x91\x95\x92\x75"));  // 装置
    EXPECT_EQ(bytes.mid(4, 3), QByteArray("\xcc\xdf\xdb"));    // half-width kana are single bytes
    EXPECT_EQ(fromSjis(bytes), text);
    EXPECT_TRUE(fitsSjis(text));
    const QString emoji = QStringLiteral("A😀");
    EXPECT_FALSE(fitsSjis(emoji));
    EXPECT_THROW(toSjis(emoji), ActionError);
    EXPECT_EQ(fromSjis(static_cast<const char*>(nullptr)), QString());
}

TEST(ShiftJis, LeadByteWithoutTrailByteIsAByteOfItsOwn) {
    const QString lone = fromSjis(QByteArray("\x95 ")).chopped(1);
    ASSERT_EQ(lone.size(), 1);
    // At the end of a line the line end survives; at the end of a field the
    // blank; at the end of the text the lead byte is not lost.
    EXPECT_EQ(fromSjis(QByteArray("A\x95\r\nB")), "A" + lone + "\r\nB");
    EXPECT_EQ(fromSjis(QByteArray("A\x95,B")), "A" + lone + ",B");
    EXPECT_EQ(fromSjis("A\x95"), "A" + lone);
    EXPECT_EQ(fromSjis(QByteArray("\x82\xa0\x82")), QStringLiteral("あ") + lone);
}

}  // namespace
}  // namespace zor::editor
