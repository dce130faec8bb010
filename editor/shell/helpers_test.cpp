#include "editor/shell/helpers.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <cstring>

#include "editor/shell/action.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"
#include "editor/testing/scripted_seam.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

class DuplicateCheck : public ::testing::Test {
  protected:
    ScriptedSeam seam_;
    SeamScope scope_{seam_};
    StringGrid grid{QStringLiteral("SG1"), 3, 10};
    QLineEdit id, name;

    void rows(const QList<QStringList>& entries) {
        for (int i = 0; i < entries.size(); ++i)
            grid.setRowTexts(i + 1, QStringList{""} + entries[i]);
    }
    int check(const QString& i, const QString& n) {
        id.setText(i);
        name.setText(n);
        return CheckDuplicateId(&id, &name, &grid);
    }
    int checkText(const QString& i, const QString& n) {
        id.setText(i);
        name.setText(n);
        return CheckDuplicateTextId(&id, &name, &grid);
    }
};

TEST_F(DuplicateCheck, ReportsTheIdBeforeTheNameAndTheLastConflictingRow) {
    rows({{"1", "EC_A"}, {"2", "EC_B"}});
    EXPECT_EQ(check(" 1 ", "ec_a"), 0);  // its own row: replaces itself
    EXPECT_EQ(check("3", "EC_C"), 0);
    EXPECT_TRUE(seam_.messages.isEmpty());
    EXPECT_EQ(check("1", "EC_C"), -1);
    EXPECT_EQ(check("3", " EC_B"), -1);
    EXPECT_EQ(check("2", "EC_A"), -1);  // both apply: the ID wins
    EXPECT_EQ(seam_.messages,
              (QStringList{QStringLiteral("IDが重複しています。 1番目を確認してください。"),
                           QStringLiteral("名前が重複しています。 2番目を確認してください。"),
                           QStringLiteral("IDが重複しています。 2番目を確認してください。")}));
}

TEST_F(DuplicateCheck, StopsAtTheFirstEmptyIdAndPassesOverDeletedRows) {
    rows({{"***", "EC_GONE"}, {"5", "EC_E"}, {"", ""}, {"9", "EC_LATE"}});
    EXPECT_EQ(check("7", "EC_NEW"), 0);
    EXPECT_EQ(check("9", "EC_X"), 0);     // row 4 lies past the end of the list
    EXPECT_EQ(check("8", "EC_GONE"), 0);  // a deleted name is free again
    EXPECT_EQ(check("5", "EC_X"), -1);
    EXPECT_EQ(seam_.messages.last(),
              QStringLiteral("IDが重複しています。 2番目を確認してください。"));
    // Text IDs alike: a deleted trace's name is free again.
    rows({{"***", "TR_GONE"}, {"TR5", "TR_E"}});
    EXPECT_EQ(checkText("TR8", "tr_gone"), 0);
    EXPECT_EQ(seam_.messages.size(), 1);
}

TEST_F(DuplicateCheck, AnIdThatIsNoIntegerStopsTheActionWithTheStandardMessage) {
    rows({{"1", "EC_A"}});
    EXPECT_FALSE(runAction(nullptr, [&] { check("1x", "EC_A"); }));
    rows({{"1", "EC_A"}, {"oops", "EC_B"}});
    EXPECT_FALSE(runAction(nullptr, [&] { check("2", "EC_Z"); }));
    EXPECT_EQ(seam_.messages, (QStringList{QStringLiteral("'1x' は整数ではありません"),
                                           QStringLiteral("'oops' は整数ではありません")}));
}

TEST_F(DuplicateCheck, TextIdsCompareWithoutAsciiCase) {
    rows({{"PP1", "PP_A"}, {"Recipe-2", "PP_B"}});
    EXPECT_EQ(checkText("pp1", "pp_a"), 0);
    EXPECT_EQ(checkText("pp1", "PP_X"), -1);
    EXPECT_EQ(checkText("RECIPE-2 ", "PP_A"), -1);
    EXPECT_EQ(checkText("new", "pp_b"), -1);
    EXPECT_EQ(seam_.messages,
              (QStringList{QStringLiteral("IDが重複しています。 1番目を確認してください。"),
                           QStringLiteral("IDが重複しています。 2番目を確認してください。"),
                           QStringLiteral("名前が重複しています。 2番目を確認してください。")}));
    // Only ASCII letters fold: full-width letters stay distinct.
    EXPECT_EQ(upperAscii(QStringLiteral("abcＡｂ装")), QStringLiteral("ABCＡｂ装"));
}

TEST(TextToItemValue, BuildsValueBuffersByFormat) {
    void* value = reinterpret_cast<void*>(1);
    TextToItemValue(ZOR_FMT_F4, 1, &value, QStringLiteral("1.5"));
    ASSERT_NE(value, nullptr);
    float f = 0;
    std::memcpy(&f, value, sizeof f);
    EXPECT_EQ(f, 1.5f);
    ZorFreeMem(value);

    TextToItemValue(ZOR_FMT_F8, 2, &value, QStringLiteral("-0.25"));
    double d[2] = {};
    std::memcpy(d, value, sizeof d);
    EXPECT_EQ(d[0], -0.25);
    EXPECT_EQ(d[1], -0.25);
    ZorFreeMem(value);

    TextToItemValue(ZOR_FMT_U2, 3, &value, QStringLiteral("513"));
    uint16_t u[3] = {};
    std::memcpy(u, value, sizeof u);
    EXPECT_EQ(u[0], 513);
    EXPECT_EQ(u[2], 513);
    ZorFreeMem(value);

    for (int code : {ZOR_FMT_F4, ZOR_FMT_U4, ZOR_FMT_I1, ZOR_FMT_BOOLEAN}) {
        value = reinterpret_cast<void*>(1);
        TextToItemValue(code, 1, &value, QString());
        EXPECT_EQ(value, nullptr) << code;
    }
}

TEST(TextToItemValue, TextFormatsAlwaysGetAWholeBuffer) {
    void* value = nullptr;
    TextToItemValue(ZOR_FMT_A, 4, &value, QString());
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(static_cast<char*>(value), "");
    ZorFreeMem(value);
    // Longer than the count: kept whole, not cut.
    TextToItemValue(ZOR_FMT_A, 3, &value, QStringLiteral("ABCDEFG"));
    EXPECT_STREQ(static_cast<char*>(value), "ABCDEFG");
    ZorFreeMem(value);
    TextToItemValue(ZOR_FMT_J, 8, &value, QStringLiteral("ｱｲ装置"));
    EXPECT_STREQ(static_cast<char*>(value), "\xb1\xb2\x91\x95\x92\x75");
    ZorFreeMem(value);
}

TEST(TextToItemValue, ATextThatIsNoNumberStopsWithTheFloatMessage) {
    ScriptedSeam seam;
    SeamScope scope(seam);
    void* value = reinterpret_cast<void*>(1);
    EXPECT_FALSE(
        runAction(nullptr, [&] { TextToItemValue(ZOR_FMT_F8, 1, &value, QStringLiteral("1,5")); }));
    EXPECT_EQ(value, reinterpret_cast<void*>(1));  // nothing allocated, nothing stored
    EXPECT_EQ(seam.messages, QStringList{QStringLiteral("'1,5' は浮動小数点数ではありません")});
}

TEST(EditBeep, GoesThroughTheSeam) {
    ScriptedSeam seam;
    SeamScope scope(seam);
    EditBeep(1);
    EXPECT_EQ(seam.beeps, 1);
}

}  // namespace
}  // namespace zor::editor
