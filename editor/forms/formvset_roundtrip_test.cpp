// The whole road of a variable change: the sample equipment compiled by
// ZorCompile, loaded in a definition session, edited in the variable editor,
// saved through zoredit and compiled again.

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <vector>

#include "editor/forms/formvset.h"
#include "editor/forms/windows.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"
#include "editor/testing/object_file.h"
#include "editor/testing/scripted_seam.h"
#include "editor/testing/test_equipment.h"
#include "zoredit/zoredit.h"

namespace zor::editor {
namespace {

using testing::compileInPlace;
using testing::objectLines;

class VariableRoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_GT(testing::load(eq), 0) << eq.compileOutput.toStdString();
        before = objectLines(eq.object);
        createWindows();
    }
    void TearDown() override {
        formVSet->close();
        destroyWindows();
        GemTerminateLibrary();
    }
    TformVSet& open(int mode) {
        formVSet->close();
        formVSet->mode = mode;
        formVSet->show();
        formVSet->Timer1Timer();
        return *formVSet;
    }
    void edit(const QString& id) {
        for (int row = 1; row < formVSet->SG1->rowCount(); ++row)
            if (formVSet->SG1->cell(1, row) == id) formVSet->selectListRow(row);
        QTest::mouseClick(formVSet->btnEdit, Qt::LeftButton);
    }
    void value(int row, const QString& text) { formVSet->SG2->setCell(2, row, text); }
    QString value(int row) const { return formVSet->SG2->cell(2, row); }
    void ok() { QTest::mouseClick(formVSet->btnOK, Qt::LeftButton); }

    testing::Equipment eq;
    QMap<QByteArray, QByteArray> before;
    ScriptedSeam script;
    SeamScope scope{script};
};

TEST_F(VariableRoundTrip, OnlyTheEditedVariablesChangeInTheNewObjectFile) {
    TformVSet& f = open(kModeEc);
    edit("1002");  // EC_PROCESS_PRESSURE: a new maximum
    value(vrow::Max, "2000");
    ok();
    QTest::mouseClick(f.btnNew, Qt::LeftButton);
    f.edtId->setText("1100");
    f.edtName->setText("EC_PURGE_TIME");
    value(vrow::Format, "U2");
    value(vrow::Units, "s");
    value(vrow::Min, "1");
    value(vrow::Max, "60");
    value(vrow::Nominal, "5");
    ok();

    open(kModeSv);
    edit("2006");  // SV_CHAMBER_STATUS: its second VID taken out
    f.SG3->selectGridRow(2);
    QTest::mouseClick(f.findChild<QPushButton*>("btnDelV"), Qt::LeftButton);
    ok();
    QTest::mouseClick(f.btnNew, Qt::LeftButton);
    f.edtId->setText("2100");
    f.edtName->setText("SV_GAS_LEVEL");
    value(vrow::Format, "F4");
    value(7, "1");
    value(8, "10");
    value(9, "90");
    value(19, "5003");
    ok();

    open(kModeDv);
    f.selectListRow(4);
    QTest::mouseClick(f.btnDel, Qt::LeftButton);  // DV_PROCESS_RESULT, answered Yes
    ASSERT_EQ(f.SG1->cell(1, 4), QStringLiteral("***"));
    ASSERT_EQ(script.messages, script.questions);  // nothing but the delete question
    ASSERT_EQ(formVMenu->Modified, 1);

    // Saved from the session menu, then compiled again.
    formVMenu->edtSrc->setText(eq.source);
    formVMenu->btnSaveClick();
    ASSERT_EQ(formVMenu->Modified, 0);
    ASSERT_TRUE(QFile::exists(eq.source + QStringLiteral(".bak")));
    ASSERT_EQ(compileInPlace(eq), 0);
    QMap<QByteArray, QByteArray> after = objectLines(eq.object);

    const QList<QByteArray> changed = {"EC:EC_PROCESS_PRESSURE", "SV:SV_CHAMBER_STATUS"};
    const QList<QByteArray> added = {"EC:EC_PURGE_TIME", "SV:SV_GAS_LEVEL"};
    const QByteArray deleted = "DV:DV_PROCESS_RESULT";
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (changed.contains(it.key()) || it.key() == deleted) continue;
        EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
    }
    EXPECT_FALSE(after.contains(deleted));
    EXPECT_EQ(after.size(), before.size() + added.size() - 1);

    const QByteArray pressure = after.value(changed[0]);
    EXPECT_TRUE(pressure.contains("MAX 000000042000")) << pressure.toStdString();
    EXPECT_EQ(QByteArray(pressure).replace("MAX 000000042000", "MAX 000000041000"),
              before.value(changed[0]));
    const QByteArray status = after.value(changed[1]);
    EXPECT_TRUE(status.contains("NOMI000000012VID 0000000fSV_CHAMBER_TEMPVID 0000000bSV_GAS_FLOW"))
        << status.toStdString();
    EXPECT_FALSE(status.contains("SV_CHAMBER_PRESSURE"));

    const QByteArray purge = after.value(added[0]);
    EXPECT_TRUE(purge.contains("ID  0000044cFORM0000002aSIZE00000001")) << purge.toStdString();
    EXPECT_TRUE(purge.contains("UNIT00000001sMIN 000000011MAX 0000000260NOMI000000015"))
        << purge.toStdString();
    const QByteArray level = after.value(added[1]);
    EXPECT_TRUE(level.contains("ID  00000834FORM00000024")) << level.toStdString();
    EXPECT_TRUE(level.contains("LMID000000011LOWE0000000210UPPE0000000290")) << level.toStdString();
    EXPECT_TRUE(level.contains("EVNT0000000dCE_TEMP_LIMIT")) << level.toStdString();
}

}  // namespace
}  // namespace zor::editor

namespace zor::editor {
namespace {

TEST_F(VariableRoundTrip, AListOf2048VidsIsSavedCompiledAndReloadedWhole) {
    TformVSet& f = open(kModeSv);
    QTest::mouseClick(f.btnNew, Qt::LeftButton);
    f.edtId->setText("2100");
    f.edtName->setText("SV_ALL_OVER");
    value(vrow::Format, "L");
    const int32_t known[] = {1001, 1002, 2001, 2003, 3001, 3003};
    std::vector<int32_t> vids;
    for (int i = 0; i < VidList::kCapacity; ++i) vids.push_back(known[i % 6]);
    ASSERT_TRUE(f.vidList.assign(vids.data(), VidList::kCapacity));
    ok();
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join(u'|').toStdString();
    EXPECT_EQ(value(vrow::Nominal), QStringLiteral("2048"));

    formVMenu->edtSrc->setText(eq.source);
    formVMenu->btnSaveClick();
    ASSERT_EQ(compileInPlace(eq), 0);
    const QByteArray line = objectLines(eq.object).value("SV:SV_ALL_OVER");
    EXPECT_EQ(line.count("VID "), VidList::kCapacity) << line.left(200).toStdString();

    // Loaded again from the new object file: the same 2048 VIDs in order.
    f.close();
    GemTerminateLibrary();
    QString error;
    ASSERT_GE(lib::editSetupEquipment(eq.cnf, eq.object, &error), 0) << error.toStdString();
    lib::Record<TV_INFO> back;
    ASSERT_EQ(GemGetSvInfo(0, 2100, back.get()), 0);
    ASSERT_EQ(back->item_count, VidList::kCapacity);
    EXPECT_TRUE(std::equal(vids.begin(), vids.end(), back->items.list->vids));
}

// A number typed over the nominal of a variable of each format that holds
// values: the object line changes in that text only, the format and sizes
// as they were.
class VariableFormatsRoundTrip : public VariableRoundTrip {
  protected:
    struct Case {
        const char* format;
        const char* held;
        const char* typed;
    };
    static constexpr Case kCases[] = {
        {"I1", "-11", "-128"},   {"I2", "12", "32767"}, {"I4", "14", "-70000"},
        {"I8", "18", "-900000"}, {"U1", "21", "255"},   {"U2", "22", "65535"},
        {"U4", "24", "70000"},   {"U8", "28", "31"},    {"F4", "3.5", "360.5"},
        {"F8", "4.25", "0.125"}, {"BO", "0", "1"},      {"B", "88", "127"},
    };
    void SetUp() override {
        QString source;
        for (int i = 0; i < 12; ++i)
            source += QStringLiteral(
                          "def_ec EC_F%1 {\n    ecid : %2\n    format : %3\n"
                          "    nominal : %4\n}\n")
                          .arg(i)
                          .arg(1200 + i)
                          .arg(QString::fromLatin1(kCases[i].format),
                               QString::fromLatin1(kCases[i].held));
        ASSERT_GT(testing::load(eq, source), 0) << eq.compileOutput.toStdString();
        before = objectLines(eq.object);
        createWindows();
    }
};

TEST_F(VariableFormatsRoundTrip, ANumberTypedOverAnyFormatKeepsTheFormat) {
    open(kModeEc);
    for (int i = 0; i < 12; ++i) {
        edit(QString::number(1200 + i));
        ASSERT_EQ(value(vrow::Format), zor_get_item_name(zor_get_item_code(kCases[i].format)));
        value(vrow::Nominal, QString::fromLatin1(kCases[i].typed));
        ok();
    }
    ASSERT_TRUE(script.messages.isEmpty()) << script.messages.join(u'|').toStdString();
    formVMenu->edtSrc->setText(eq.source);
    formVMenu->btnSaveClick();
    ASSERT_EQ(compileInPlace(eq), 0);
    const QMap<QByteArray, QByteArray> after = objectLines(eq.object);
    auto nominal = [](const char* text) {
        return "NOMI" + QByteArray::number(qstrlen(text), 16).rightJustified(8, '0') + text;
    };
    for (int i = 0; i < 12; ++i) {
        const QByteArray key = "EC:EC_F" + QByteArray::number(i);
        QByteArray expected = before.value(key);
        ASSERT_EQ(expected.count(nominal(kCases[i].held)), 1) << expected.toStdString();
        expected.replace(nominal(kCases[i].held), nominal(kCases[i].typed));
        EXPECT_EQ(after.value(key), expected) << kCases[i].format;
    }
}

}  // namespace
}  // namespace zor::editor
