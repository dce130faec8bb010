#include "editor/forms/record_fields.h"

#include <gtest/gtest.h>

#include "editor/shell/action.h"
#include "editor/shell/qt_print.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

TEST(ReadNumericId, ZeroAndTheCompilersNoIdAreRefused) {
    int32_t id = 5;
    EXPECT_FALSE(readNumericId(QStringLiteral(" 0 "), &id));
    EXPECT_FALSE(readNumericId(QStringLiteral("-1"), &id));
    EXPECT_FALSE(readNumericId(QStringLiteral("abc"), &id));  // zor_atoi gives 0
    EXPECT_TRUE(readNumericId(QStringLiteral(" 42 "), &id));
    EXPECT_EQ(id, 42);
    EXPECT_TRUE(readNumericId(QStringLiteral("-2"), &id));
    EXPECT_EQ(id, -2);
}

TEST(LinkIds, BlankCellsAreSkippedAndEveryOtherMustBeAnInteger) {
    EXPECT_EQ(linkIds({QStringLiteral(" 7"), QString(), QStringLiteral("  "), QStringLiteral("0"),
                       QStringLiteral("-3 ")}),
              (std::vector<int32_t>{7, 0, -3}));
    for (const char* bad : {"abc", "12x", "1 2"}) {
        try {
            linkIds({QStringLiteral("1"), QString::fromLatin1(bad)});
            ADD_FAILURE() << bad;
        } catch (const ActionError& e) {
            EXPECT_EQ(e.text(),
                      QStringLiteral("'%1' は整数ではありません").arg(QLatin1String(bad)));
        }
    }
}

TEST(PutLinks, AnEmptyListLeavesNoArray) {
    int32_t count = 9;
    int32_t* array = reinterpret_cast<int32_t*>(&count);
    putLinks({}, &count, &array);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(array, nullptr);
    putLinks({4, 5}, &count, &array);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(linksOf(array, count), (std::vector<int32_t>{4, 5}));
    ZorFreeMem(array);
    EXPECT_TRUE(linksOf(nullptr, 3).empty());
}

}  // namespace
}  // namespace zor::editor
