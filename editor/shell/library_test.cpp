#include "editor/shell/library.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <climits>
#include <new>

#include "editor/shell/action.h"
#include "editor/shell/qt_print.h"
#include "editor/testing/test_equipment.h"

namespace zor::editor {
namespace {

QByteArray bytes(const void* block, int n) {
    return QByteArray(static_cast<const char*>(block), n);
}

TEST(LibraryMemory, TextsAreShiftJisWithTheirNulAndTheRoomAsked) {
    char* text = lib::allocText(QStringLiteral("待機A"));
    EXPECT_EQ(bytes(text, 6), QByteArray("\x91\xd2\x8b\x40"
                                         "A\0",
                                         6));
    ZorFreeMem(text);
    char* list = lib::allocText(QStringLiteral("SV"), 2);  // list names end in two NULs
    EXPECT_EQ(bytes(list, 4), QByteArray("SV\0\0", 4));
    ZorFreeMem(list);
    EXPECT_THROW(lib::allocText(QStringLiteral("\U0001F600")), ActionError);

    auto* limits = lib::allocArray<TV_LIMIT>(3);
    EXPECT_EQ(bytes(limits, 3 * sizeof(TV_LIMIT)), QByteArray(3 * sizeof(TV_LIMIT), '\0'));
    ZorFreeMem(limits);
}

TEST(LibraryMemory, ASizeZorAllocMemCannotTakeIsAClearErrorNotAShortBlock) {
    try {
        lib::allocArray<TV_LIMIT>(INT_MAX / 4);  // the byte count overflows an int
        FAIL() << "no error";
    } catch (const ActionError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("ZorAllocMem: "))) << e.text().toStdString();
    }
    EXPECT_THROW(lib::allocBlock(-1), ActionError);
    EXPECT_THROW(lib::allocBlock(qint64{INT_MAX} + 1), ActionError);
}

TEST(LibraryRecord, StartsZeroedAndReleaseFreesAndZeroesAgain) {
    alignas(lib::Record<TCE_INFO>) unsigned char storage[sizeof(lib::Record<TCE_INFO>)];
    std::memset(storage, 0xAB, sizeof storage);  // what a stack slot may hold
    auto* held = new (storage) lib::Record<TCE_INFO>;
    EXPECT_EQ(bytes(held->get(), sizeof(TCE_INFO)), QByteArray(sizeof(TCE_INFO), '\0'));

    (*held)->name = lib::allocText(QStringLiteral("CE_X"));
    (*held)->rpids = lib::allocArray<int32_t>(2);
    (*held)->rpid_count = 2;
    (*held)->deleted = 1;
    held->release();  // the sanitizer build sees a leak if it did not free
    EXPECT_EQ(bytes(held->get(), sizeof(TCE_INFO)), QByteArray(sizeof(TCE_INFO), '\0'));
    (*held)->name = lib::allocText(QStringLiteral("CE_Y"));
    held->~Record();  // frees the second name
}

class LibraryCalls : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_GT(testing::load(eq), 0) << eq.compileOutput.toStdString(); }
    void TearDown() override { GemTerminateLibrary(); }
    testing::Equipment eq;
};

TEST_F(LibraryCalls, EachVariableModeListsGetsAndSetsItsOwnKind) {
    const QStringList prefixes = {"EC_", "SV_", "DV_"};
    for (int mode = 0; mode < 3; ++mode) {
        const lib::VariableCalls& calls = lib::variableCalls(mode);
        const std::vector<lib::IdName> list = lib::binList(calls.list);
        ASSERT_FALSE(list.empty()) << mode;
        for (const lib::IdName& e : list)
            EXPECT_TRUE(e.name.startsWith(prefixes[mode])) << mode << " " << e.name.toStdString();
        lib::Record<TV_INFO> record;
        ASSERT_EQ(calls.get(0, list.front().id, record.get()), 0) << mode;
        EXPECT_EQ(QString::fromLatin1(record->name), list.front().name);

        // A copy under a new VID lands in this mode's list and no other.
        const int32_t vid = 9900 + mode;
        record->vid = vid;
        ZorFreeMem(record->name);
        record->name = lib::allocText(prefixes[mode] + QStringLiteral("COPY"));
        ASSERT_EQ(calls.set(0, record.get()), 0) << mode;
        EXPECT_EQ(lib::binList(calls.list).size(), list.size() + 1);
        for (int other = 0; other < 3; ++other) {
            lib::Record<TV_INFO> found;
            EXPECT_EQ(lib::variableCalls(other).get(0, vid, found.get()),
                      other == mode ? 0 : ZOR_E_NOTFOUND)
                << mode << " in " << other;
        }
    }
    EXPECT_EQ(&lib::variableCalls(7), &lib::variableCalls(1));  // any other mode: SV
}

TEST_F(LibraryCalls, ASoftDeletedEntryStaysListedAndIsMarkedDeleted) {
    const size_t before = lib::binList(lib::kCeCalls.list).size();
    EXPECT_FALSE(lib::isDeleted(lib::kCeCalls, 5003));
    ASSERT_EQ(lib::softDelete(lib::kCeCalls, 5003), 0);
    EXPECT_TRUE(lib::isDeleted(lib::kCeCalls, 5003));
    EXPECT_EQ(lib::binList(lib::kCeCalls.list).size(), before);
    EXPECT_NE(lib::softDelete(lib::kCeCalls, 5999), 0);  // no such CE
    EXPECT_FALSE(lib::isDeleted(lib::kCeCalls, 5999));

    const std::vector<lib::TextIdName> pps = lib::textList(lib::kPpCalls.list);
    ASSERT_EQ(pps.size(), 2u);
    EXPECT_EQ(pps[1].id, QStringLiteral("SIN_50NM"));
    EXPECT_EQ(pps[1].name, QStringLiteral("PP_SIN_50NM"));
    ASSERT_EQ(lib::softDelete(lib::kPpCalls, "sin_50nm"), 0);  // text IDs ignore case
    EXPECT_TRUE(lib::isDeleted(lib::kPpCalls, "SIN_50NM"));
    EXPECT_EQ(lib::textList(lib::kPpCalls.list).size(), 2u);
}

TEST_F(LibraryCalls, NamesComeBackWholeHoweverLong) {
    EXPECT_EQ(lib::variableName(1001), QStringLiteral("EC_HEATER_SETPOINT"));
    EXPECT_EQ(lib::variableName(3001), QStringLiteral("DV_WAFER_ID"));
    EXPECT_EQ(lib::reportName(4003), QStringLiteral("RP_CHAMBER"));
    EXPECT_EQ(lib::eventName(5001), QStringLiteral("CE_PROCESS_START"));
    EXPECT_EQ(lib::eventName(4001), QString());
    EXPECT_EQ(lib::variableName(9), QString());

    // A name far past 128 bytes, in two-byte characters.
    const QString longName = QStringLiteral("CE_") + QString(300, QChar(u'待'));
    lib::Record<TCE_INFO> ce;
    ASSERT_EQ(lib::kCeCalls.get(0, 5001, ce.get()), 0);
    ZorFreeMem(ce->name);
    ce->name = lib::allocText(longName);
    ASSERT_EQ(lib::kCeCalls.set(0, ce.get()), 0);
    EXPECT_EQ(lib::eventName(5001), longName);
}

}  // namespace
}  // namespace zor::editor
