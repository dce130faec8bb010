#include "editor/forms/variable_record.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "editor/shell/library.h"
#include "editor/shell/qt_print.h"
#include "editor/testing/test_equipment.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

// ---- the VID list ------------------------------------------------------------------

std::vector<int32_t> v(std::initializer_list<int32_t> l) { return l; }

TEST(VidList, OverwriteReplacesOrAppendsInsertGoesAnywhereRemoveCloses) {
    VidList list;
    EXPECT_TRUE(list.overwrite(1, 10));  // empty list: row 1 is past the end
    EXPECT_TRUE(list.overwrite(5, 20));  // far below: appended after the last
    EXPECT_TRUE(list.overwrite(1, 11));  // replaced in place
    EXPECT_EQ(list.vids(), v({11, 20}));
    EXPECT_TRUE(list.insert(2, 15));
    EXPECT_TRUE(list.insert(1, 5));
    EXPECT_TRUE(list.insert(99, 30));  // beyond the end: at the end
    EXPECT_TRUE(list.insert(-1, 31));  // no current row: at the end
    EXPECT_EQ(list.vids(), v({5, 11, 15, 20, 30, 31}));
    EXPECT_FALSE(list.remove(7));
    EXPECT_FALSE(list.remove(0));
    EXPECT_TRUE(list.remove(2));
    EXPECT_TRUE(list.remove(5));
    EXPECT_EQ(list.vids(), v({5, 15, 20, 30}));
}

TEST(VidList, OneCapacityForEveryOperationAndInsertionPastThe256thEntry) {
    VidList list;
    std::vector<int32_t> full(VidList::kCapacity);
    for (int i = 0; i < VidList::kCapacity; ++i) full[static_cast<size_t>(i)] = i + 1;
    ASSERT_TRUE(list.assign(full.data(), VidList::kCapacity - 1));
    EXPECT_TRUE(list.insert(2000, -7));  // far beyond the 256th position
    EXPECT_EQ(list.vids()[1999], -7);
    EXPECT_EQ(list.vids()[2000], 2000);
    EXPECT_EQ(list.count(), VidList::kCapacity);
    // Full: nothing grows, but an entry can still be replaced.
    EXPECT_FALSE(list.overwrite(VidList::kCapacity + 1, 1));
    EXPECT_FALSE(list.insert(1, 1));
    EXPECT_TRUE(list.overwrite(VidList::kCapacity, 99));
    EXPECT_EQ(list.count(), VidList::kCapacity);
    EXPECT_EQ(list.vids().back(), 99);
    full.push_back(0);
    EXPECT_FALSE(list.assign(full.data(), VidList::kCapacity + 1));
    EXPECT_EQ(list.count(), VidList::kCapacity);  // unchanged
    EXPECT_EQ(vidListFullMessage(), QStringLiteral("LISTに含められる変数は2048個までです。"));
}

// ---- building a record ---------------------------------------------------------------

VariableDetail detail(int mode, const QString& id, const QString& name,
                      std::initializer_list<std::pair<int, QString>> cells) {
    VariableDetail d;
    d.mode = mode;
    d.id = id;
    d.name = name;
    d.values[vrow::Size] = QStringLiteral("1");
    for (const auto& [row, text] : cells) d.values[static_cast<size_t>(row)] = text;
    return d;
}

QString text(const void* bytes) { return QString::fromLatin1(static_cast<const char*>(bytes)); }

class BuildVariable : public ::testing::Test {
  protected:
    // Names of list entries come from the loaded equipment.
    void SetUp() override { ASSERT_GE(testing::load(eq), 0) << eq.compileOutput.toStdString(); }
    testing::Equipment eq;
    lib::Record<TV_INFO> rec;  // freed as the form frees its working record
};

TEST_F(BuildVariable, FormatATakesItsSizeFromTheNominalInBytes) {
    const QString A = QStringLiteral("A");
    VariableDetail d =
        detail(0, "7", "EC_X", {{vrow::Format, A}, {vrow::Size, "9"}, {vrow::Nominal, "ABCDE"}});
    ASSERT_EQ(buildVariable(d, {}, rec.get()), QString());
    EXPECT_EQ(rec->size, 5);
    EXPECT_EQ(d.values[vrow::Size], QStringLiteral("5"));
    EXPECT_EQ(text(rec->nominal), QStringLiteral("ABCDE"));
    rec.release();

    // Shift-JIS bytes, not characters; Min and Max longer than that are kept whole.
    d = detail(
        0, "7", "EC_X",
        {{vrow::Format, A}, {vrow::Nominal, QStringLiteral("待機")}, {vrow::Min, "0123456789"}});
    ASSERT_EQ(buildVariable(d, {}, rec.get()), QString());
    EXPECT_EQ(rec->size, 4);
    EXPECT_EQ(text(rec->min), QStringLiteral("0123456789"));
    EXPECT_EQ(lib::valueText(ZOR_FMT_A, rec->nominal), QStringLiteral("待機"));
    rec.release();

    // An empty nominal: size 0, no Size message, the text buffers still exist.
    d = detail(0, "7", "EC_X", {{vrow::Format, A}, {vrow::Size, "3"}});
    ASSERT_EQ(buildVariable(d, {}, rec.get()), QString());
    EXPECT_EQ(rec->size, 0);
    EXPECT_EQ(d.values[vrow::Size], QStringLiteral("0"));
    ASSERT_NE(rec->nominal, nullptr);
    EXPECT_EQ(text(rec->nominal), QString());
    ASSERT_NE(rec->units, nullptr);
}

TEST_F(BuildVariable, NameAndUnitsAsTypedCeidsInSvModeOnly) {
    for (int mode : {kModeEc, kModeSv, kModeDv}) {
        VariableDetail d =
            detail(mode, " 9 ", " V_X ",
                   {{vrow::Format, " I2 "}, {vrow::Units, " mm "}, {19, "5003"}, {21, " 5001 "}});
        ASSERT_EQ(buildVariable(d, {}, rec.get()), QString());
        EXPECT_EQ(rec->vid, 9);
        EXPECT_STREQ(rec->name, " V_X ");  // trimmed only for the checks
        EXPECT_STREQ(rec->units, " mm ");
        EXPECT_EQ(rec->min, nullptr);  // an empty number cell: no buffer
        if (mode == kModeSv) {
            ASSERT_EQ(rec->ceid_count, 2);
            EXPECT_EQ(rec->ceids[0], 5003);
            EXPECT_EQ(rec->ceids[1], 5001);
        } else {
            EXPECT_EQ(rec->ceid_count, 0) << mode;
            EXPECT_EQ(rec->ceids, nullptr);
        }
        rec.release();
    }
}

TEST_F(BuildVariable, ListTakesTheVidsWithTheirNamesAndIgnoresTheLimits) {
    VariableDetail d = detail(
        kModeSv, "2100", "SV_LIST",
        {{vrow::Format, QStringLiteral("L")}, {vrow::Nominal, "99"}, {7, "1"}, {8, "2"}, {9, "3"}});
    ASSERT_EQ(buildVariable(d, {2003, 9999, 1001}, rec.get()), QString());
    EXPECT_EQ(d.values[vrow::Nominal], QStringLiteral("3"));
    EXPECT_EQ(rec->format, ZOR_FMT_L);
    ASSERT_EQ(rec->item_count, 3);
    ASSERT_NE(rec->items.list, nullptr);
    EXPECT_EQ(rec->items.list->vids[0], 2003);
    EXPECT_EQ(rec->items.list->vids[2], 1001);
    EXPECT_STREQ(rec->items.list->names[0], "SV_CHAMBER_TEMP");
    EXPECT_STREQ(rec->items.list->names[1], "");  // no such variable
    EXPECT_STREQ(rec->items.list->names[2], "EC_HEATER_SETPOINT");
    rec.release();

    // An empty list has no list record.
    d = detail(kModeSv, "2100", "SV_LIST", {{vrow::Format, QStringLiteral("L")}});
    ASSERT_EQ(buildVariable(d, {}, rec.get()), QString());
    EXPECT_EQ(rec->item_count, 0);
    EXPECT_EQ(rec->items.list, nullptr);
    EXPECT_EQ(d.values[vrow::Nominal], QStringLiteral("0"));
}

// ---- showing a record ------------------------------------------------------------------

TEST(ViewVariable, ListRecordsGiveTheirVidsAndOversizedOnesAreRefused) {
    std::vector<int32_t> vids(VidList::kCapacity + 1, 42);
    TV_LIST list{};
    list.vids = vids.data();
    char name[] = "SV_BIG";
    TV_INFO r{};
    r.vid = 1;
    r.name = name;
    r.format = ZOR_FMT_L;
    r.size = 1;
    r.items.list = &list;
    r.item_count = VidList::kCapacity;
    VariableView view;
    ASSERT_EQ(viewVariable(r, &view), QString());
    EXPECT_TRUE(view.isList);
    EXPECT_EQ(view.vids.size(), static_cast<size_t>(VidList::kCapacity));

    r.item_count = VidList::kCapacity + 1;
    EXPECT_EQ(viewVariable(r, &view),
              QStringLiteral("このLIST変数のVIDは2049個あり、2048個を超えるため表示できません。"));
    EXPECT_TRUE(view.vids.empty());
    EXPECT_EQ(view.name, QString());
}

}  // namespace
}  // namespace zor::editor
