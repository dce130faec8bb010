#include "editor/forms/link_grid.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <map>

#include "editor/shell/qt_print.h"
#include "editor/shell/seam.h"
#include "editor/testing/scripted_seam.h"

namespace zor::editor {
namespace {

// A link grid over a fixed table of names and a picker that answers from a
// queue, recording each preset it was opened with.
class LinkGridTest : public ::testing::Test {
  protected:
    LinkGrid& make(int rows, bool editable) {
        LinkKind k;
        k.rows = rows;
        k.editable = editable;
        k.header = {QStringLiteral("番号"), QStringLiteral(" VID"), QStringLiteral(" 変数名")};
        k.pick = [this](int32_t preset) {
            presets.push_back(preset);
            // Cancel gives the preset back, as the pickers do.
            if (answers.empty()) return preset;
            const int32_t a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
        k.name = [this](int32_t id) {
            auto it = names.find(id);
            return it == names.end() ? QString() : it->second;
        };
        grid = new LinkGrid(QStringLiteral("SG2"), k, &window);
        grid->clearLinks();
        return *grid;
    }
    void row(int r, const QString& id, const QString& name) {
        grid->setCell(1, r, id);
        grid->setCell(2, r, name);
    }
    QStringList rowTexts(int r) const { return {grid->cell(1, r), grid->cell(2, r)}; }

    ScriptedSeam script;
    SeamScope scope{script};
    QWidget window;
    LinkGrid* grid = nullptr;
    std::map<int32_t, QString> names{{10, QStringLiteral("SV_A")}, {20, QStringLiteral("SV_B")}};
    std::vector<int32_t> answers;
    std::vector<int32_t> presets;
};

TEST_F(LinkGridTest, ShowsTheFirstRowsAndCountsTheRest) {
    LinkGrid& g = make(3, true);
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.cell(0, 1), QStringLiteral("   1"));
    EXPECT_EQ(g.cell(1, 0), QStringLiteral(" VID"));
    g.showLinks({10, 99, 20, 10, 30});
    EXPECT_EQ(rowTexts(1), (QStringList{QStringLiteral("10"), QStringLiteral("SV_A")}));
    EXPECT_EQ(rowTexts(2), (QStringList{QStringLiteral("99"), QString()}));  // names nothing
    EXPECT_EQ(rowTexts(3), (QStringList{QStringLiteral("20"), QStringLiteral("SV_B")}));
    EXPECT_EQ(g.hiddenCount(), 2);
    EXPECT_EQ(g.hiddenNote->text(), QStringLiteral("他2件は表示外（保持されます）"));
    EXPECT_FALSE(g.hiddenNote->isHidden());
    EXPECT_EQ(g.linkCells(),
              (QStringList{QStringLiteral("10"), QStringLiteral("99"), QStringLiteral("20")}));

    g.clearLinks();
    EXPECT_EQ(g.hiddenCount(), 0);
    EXPECT_TRUE(g.hiddenNote->isHidden());
    EXPECT_EQ(g.linkCells(), (QStringList{QString(), QString(), QString()}));
    g.showLinks({20});
    EXPECT_EQ(g.hiddenCount(), 0);
}

TEST_F(LinkGridTest, APickerThatGivesNothingLeavesTheRowAsItWas) {
    LinkGrid& g = make(4, true);
    row(1, QStringLiteral("10"), QStringLiteral("SV_A"));
    row(2, QStringLiteral("99"), QString());   // a stored link naming nothing
    row(3, QStringLiteral("abc"), QString());  // typed, never looked up

    // Cancel on each: the preset comes back (the ID with a name, else 0).
    g.pickRow(1, 1);
    g.pickRow(2, 2);
    g.pickRow(1, 3);
    g.pickRow(1, 4);
    EXPECT_EQ(presets, (std::vector<int32_t>{10, 0, 0, 0}));
    EXPECT_EQ(rowTexts(1), (QStringList{QStringLiteral("10"), QStringLiteral("SV_A")}));
    EXPECT_EQ(rowTexts(2), (QStringList{QStringLiteral("99"), QString()}));
    EXPECT_EQ(rowTexts(3), (QStringList{QStringLiteral("abc"), QString()}));
    EXPECT_EQ(rowTexts(4), (QStringList{QString(), QString()}));

    // A real pick replaces the link; the old name never stands beside it.
    answers = {20, 77};
    g.pickRow(1, 1);
    EXPECT_EQ(rowTexts(1), (QStringList{QStringLiteral("20"), QStringLiteral("SV_B")}));
    g.pickRow(2, 1);
    EXPECT_EQ(rowTexts(1), (QStringList{QStringLiteral("77"), QString()}));

    // The number column and the header pick nothing.
    g.pickRow(0, 2);
    g.pickRow(1, 0);
    EXPECT_EQ(presets.size(), 6u);
}

TEST_F(LinkGridTest, ADoubleClickPresetsFromAnUnreadableIdWithTheConversionMessage) {
    LinkGrid& g = make(2, true);
    row(1, QStringLiteral("12x"), QStringLiteral("SV_A"));
    emit g.cellDblClick(1, 1);
    EXPECT_EQ(script.messages, QStringList{QStringLiteral("'12x' は整数ではありません")});
    EXPECT_TRUE(presets.empty());
    EXPECT_EQ(rowTexts(1), (QStringList{QStringLiteral("12x"), QStringLiteral("SV_A")}));
    answers = {10};
    emit g.cellDblClick(2, 2);  // the name column picks too
    EXPECT_EQ(rowTexts(2), (QStringList{QStringLiteral("10"), QStringLiteral("SV_A")}));
}

TEST_F(LinkGridTest, ACommittedIdGetsItsNameAndOnlyEnterComplainsOfAnUnreadableOne) {
    LinkGrid& g = make(3, true);
    row(1, QStringLiteral(" 20 "), QStringLiteral("stale"));
    emit g.cellCommitted(1, 1, false);  // Tab or a click elsewhere
    EXPECT_EQ(g.cell(2, 1), QStringLiteral("SV_B"));

    row(2, QStringLiteral("abc"), QStringLiteral("stale"));
    emit g.cellCommitted(1, 2, false);
    EXPECT_EQ(g.cell(2, 2), QString());
    EXPECT_TRUE(script.messages.isEmpty());
    row(2, QStringLiteral("abc"), QStringLiteral("stale"));
    emit g.cellCommitted(1, 2, true);
    EXPECT_EQ(script.messages, QStringList{QStringLiteral("'abc' は整数ではありません")});
    EXPECT_EQ(g.cell(1, 2), QStringLiteral("abc"));  // kept for the user to mend

    row(3, QStringLiteral("55"), QStringLiteral("stale"));
    emit g.cellCommitted(1, 3, true);  // unknown: the ID stays, no name
    EXPECT_EQ(rowTexts(3), (QStringList{QStringLiteral("55"), QString()}));
    row(3, QString(), QStringLiteral("stale"));
    emit g.cellCommitted(1, 3, true);
    EXPECT_EQ(g.cell(2, 3), QString());
}

TEST_F(LinkGridTest, TheDeleteKeyEmptiesTheCurrentRow) {
    LinkGrid& g = make(3, false);
    g.showLinks({10, 20, 30});
    g.selectGridRow(2);
    QTest::keyClick(&g, Qt::Key_Delete);
    EXPECT_EQ(g.linkCells(), (QStringList{QStringLiteral("10"), QString(), QStringLiteral("30")}));
    EXPECT_EQ(g.cell(2, 2), QString());
    EXPECT_EQ(g.cell(0, 2), QStringLiteral("   2"));  // the number stays
}

TEST_F(LinkGridTest, OnlyTheIdColumnOfAnEditableGridTakesTyping) {
    LinkGrid& ce = make(2, false);
    EXPECT_FALSE(ce.item(1, 1)->flags() & Qt::ItemIsEditable);
    LinkGrid& rp = make(2, true);
    EXPECT_TRUE(rp.item(1, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(rp.item(1, 2)->flags() & Qt::ItemIsEditable);
    // A double-click picks rather than opening an editor.
    EXPECT_FALSE(rp.editTriggers() & QAbstractItemView::DoubleClicked);
}

TEST(LinkRowNumber, ThreeBlanksBeforeOneDigitTwoOtherwise) {
    EXPECT_EQ(linkRowNumber(1), QStringLiteral("   1"));
    EXPECT_EQ(linkRowNumber(32), QStringLiteral("  32"));
    EXPECT_EQ(linkRowNumber(1023), QStringLiteral("  1023"));
}

}  // namespace
}  // namespace zor::editor
