// The spool editor's checks without the window.
#include "editor/forms/spool_record.h"

#include <gtest/gtest.h>

#include "editor/shell/action.h"
#include "editor/shell/qt_print.h"

namespace zor::editor {
namespace {

// The message btnAdd shows, the conversion error's included; "" when added.
QString add(const char* stream, const char* function, std::vector<int32_t>* list) {
    try {
        return addFunction(QString::fromLatin1(stream), QString::fromLatin1(function), list);
    } catch (const ActionError& e) {
        return QStringLiteral("thrown: ") + e.text();
    }
}

TEST(AddFunction, TakesPrimaryMessagesOfStreamsZeroTo127Once) {
    const QString range = QStringLiteral("ｽﾄﾘｰﾑまたはﾌｧﾝｸｼｮﾝの値を確認してください。");
    std::vector<int32_t> list;
    EXPECT_EQ(add(" ", "1", &list), QStringLiteral("ｽﾄﾘｰﾑ、ﾌｧﾝｸｼｮﾝを確認してください。"));
    EXPECT_EQ(add("6", "", &list), QStringLiteral("ｽﾄﾘｰﾑ、ﾌｧﾝｸｼｮﾝを確認してください。"));
    EXPECT_EQ(add("6x", "11", &list), QStringLiteral("thrown: '6x' は整数ではありません"));
    EXPECT_EQ(add("6", "F11", &list), QStringLiteral("thrown: 'F11' は整数ではありません"));
    EXPECT_EQ(add("6", "12", &list), range);  // a reply
    EXPECT_EQ(add("6", "257", &list), range);
    EXPECT_EQ(add("6", "-1", &list), range);
    EXPECT_EQ(add("128", "1", &list), range);
    EXPECT_EQ(add("-1", "1", &list), range);
    EXPECT_TRUE(list.empty());

    EXPECT_EQ(add(" 6 ", " 11 ", &list), QString());
    EXPECT_EQ(add("0", "1", &list), QString());
    EXPECT_EQ(add("127", "255", &list), QString());
    EXPECT_EQ(add("6", "11", &list), QStringLiteral("Function 11 は既にﾘｽﾄにあります。"));
    EXPECT_EQ(list, (std::vector<int32_t>{11, 1, 255}));
}

TEST(AddFunction, AFullListTakesNoMore) {
    // Only a stream's current setting can fill it: a source may repeat functions.
    std::vector<int32_t> list(kMaxSpoolFunctions - 1, 3);
    EXPECT_EQ(add("6", "5", &list), QString());
    ASSERT_EQ(list.size(), 256u);
    EXPECT_EQ(add("6", "7", &list), QStringLiteral("Functionﾘｽﾄは256件までです。"));
    EXPECT_EQ(list.size(), 256u);
}

TEST(DroppedBy, NamesEachHeldFunctionTheListLacksOnce) {
    EXPECT_EQ(droppedBy({11, 13}, {11, 13}), std::vector<int32_t>{});
    EXPECT_EQ(droppedBy({13, 11, 15}, {11, 13}), std::vector<int32_t>{});
    EXPECT_EQ(droppedBy({11}, {11, 13, 17, 13}), (std::vector<int32_t>{13, 17}));
    EXPECT_EQ(droppedBy({}, {1}), std::vector<int32_t>{1});
}

}  // namespace
}  // namespace zor::editor
