#include "editor/shell/string_grid.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "editor/shell/qt_print.h"

namespace zor::editor {
namespace {

TEST(StringGrid, AddressesCellsAsColumnRowWithTheHeaderAsRowZero) {
    StringGrid g(QStringLiteral("SG1"), 3, 5);
    EXPECT_EQ(g.objectName(), QStringLiteral("SG1"));
    EXPECT_EQ(g.colCount(), 3);
    EXPECT_EQ(g.rowCount(), 5);  // the header row counts
    g.setRowTexts(0, {QStringLiteral("番号"), QStringLiteral("ID"), QStringLiteral("名前")});
    g.setCell(2, 1, QStringLiteral("EC_A"));
    EXPECT_EQ(g.cell(2, 1), QStringLiteral("EC_A"));
    EXPECT_EQ(g.item(1, 2)->text(), QStringLiteral("EC_A"));  // QTableWidget is (row, column)
    EXPECT_EQ(g.cell(1, 0), QStringLiteral("ID"));
    EXPECT_EQ(g.cell(1, 2), QString());
    // Outside the grid: reads are empty, writes are ignored.
    g.setCell(3, 1, QStringLiteral("x"));
    g.setCell(0, 5, QStringLiteral("x"));
    EXPECT_EQ(g.cell(3, 1), QString());
    g.clearCells();
    EXPECT_EQ(g.cell(1, 0), QString());
    EXPECT_EQ(g.rowCount(), 5);
}

TEST(StringGrid, FixedCellsAreNeverEditableOrSelectable) {
    StringGrid g(QStringLiteral("SG"), 4, 3);
    g.setFixed(2, 1);
    g.setEditable(true);
    g.setRowCount(6);  // rows added later get the same rules
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 4; ++col) {
            Qt::ItemFlags f = g.item(row, col)->flags();
            bool fixed = row < 1 || col < 2;
            EXPECT_EQ(bool(f & Qt::ItemIsEditable), !fixed) << col << "," << row;
            EXPECT_EQ(bool(f & Qt::ItemIsSelectable), !fixed) << col << "," << row;
        }
    }
    g.setEditable(false);
    EXPECT_FALSE(g.item(3, 3)->flags() & Qt::ItemIsEditable);
}

TEST(StringGrid, ReportsClicksAndRowChangesInColumnRowOrder) {
    StringGrid g(QStringLiteral("SG1"), 3, 4);
    g.setRowSelect(true);
    g.resize(300, 200);
    g.show();
    QSignalSpy clicks(&g, &StringGrid::cellClick);
    QSignalSpy dbl(&g, &StringGrid::cellDblClick);
    QSignalSpy rows(&g, &StringGrid::rowSelected);
    QRect cell = g.visualRect(g.model()->index(2, 1));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 1);
    EXPECT_EQ(clicks[0][1].toInt(), 2);
    EXPECT_EQ(g.currentGridRow(), 2);
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.last()[0].toInt(), 2);
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(dbl.count(), 1);
    EXPECT_EQ(dbl[0][0].toInt(), 1);
    EXPECT_EQ(dbl[0][1].toInt(), 2);
    g.selectGridRow(3);
    EXPECT_EQ(rows.last()[0].toInt(), 3);
    EXPECT_EQ(g.currentGridCol(), 1);  // the first non-fixed column
}

TEST(StringGrid, AReadOnlyColumnStaysReadOnlyInAnEditableGrid) {
    StringGrid g(QStringLiteral("SG2"), 3, 4);
    g.setColumnEditable(2, false);
    g.setEditable(true);
    g.setRowCount(6);
    for (int row = 1; row < 6; ++row) {
        EXPECT_TRUE(g.item(row, 1)->flags() & Qt::ItemIsEditable) << row;
        EXPECT_FALSE(g.item(row, 2)->flags() & Qt::ItemIsEditable) << row;
        EXPECT_TRUE(g.item(row, 2)->flags() & Qt::ItemIsSelectable) << row;
    }
    g.setColumnEditable(2, true);
    EXPECT_TRUE(g.item(3, 2)->flags() & Qt::ItemIsEditable);
}

// Types `text` into the current cell and ends the edit with `key`.
void typeInto(StringGrid& g, const QString& text, Qt::Key key) {
    QTest::keyClicks(&g, text.left(1));  // any key opens the editor
    QLineEdit* editor = nullptr;         // closed editors linger hidden until deleted
    for (QLineEdit* e : g.viewport()->findChildren<QLineEdit*>())
        if (e->isVisible()) editor = e;
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, key);
    QCoreApplication::processEvents();  // Enter commits through a queued call
}

TEST(StringGrid, TellsWhenTheUserCommitsACellAndHow) {
    StringGrid g(QStringLiteral("SG2"), 3, 5);
    g.setEditable(true);
    g.resize(300, 200);
    g.show();
    g.activateWindow();
    g.setFocus();
    QSignalSpy commits(&g, &StringGrid::cellCommitted);
    g.setCell(1, 1, QStringLiteral("7"));  // the program's writes are no commit
    EXPECT_EQ(commits.count(), 0);

    g.selectCell(1, 2);
    typeInto(g, QStringLiteral("12"), Qt::Key_Return);
    ASSERT_EQ(commits.count(), 1);
    EXPECT_EQ(commits[0][0].toInt(), 1);
    EXPECT_EQ(commits[0][1].toInt(), 2);
    EXPECT_TRUE(commits[0][2].toBool());
    EXPECT_EQ(g.cell(1, 2), QStringLiteral("12"));

    g.selectCell(1, 3);
    typeInto(g, QStringLiteral("5"), Qt::Key_Tab);
    ASSERT_EQ(commits.count(), 2);
    EXPECT_EQ(commits[1][1].toInt(), 3);
    EXPECT_FALSE(commits[1][2].toBool());

    // Tab went on editing the next cell; leaving it commits that one.
    g.selectCell(1, 4);
    ASSERT_EQ(commits.count(), 3);
    EXPECT_EQ(commits[2][0].toInt(), 2);
    EXPECT_EQ(commits[2][1].toInt(), 3);

    typeInto(g, QStringLiteral("9"), Qt::Key_Escape);  // given up: no commit
    EXPECT_EQ(commits.count(), 3);
    EXPECT_EQ(g.cell(1, 4), QString());

    // Enter on a cell that is not being edited commits it as it stands.
    g.selectCell(1, 2);
    QTest::keyClick(&g, Qt::Key_Return);
    ASSERT_EQ(commits.count(), 4);
    EXPECT_EQ(commits[3][1].toInt(), 2);
    EXPECT_TRUE(commits[3][2].toBool());
}

TEST(StringGrid, RowNumbersAreRightAlignedByBlanks) {
    EXPECT_EQ(rowNumberText(7), QStringLiteral("   7"));
    EXPECT_EQ(rowNumberText(42), QStringLiteral("  42"));
    EXPECT_EQ(rowNumberText(123), QStringLiteral(" 123"));
    EXPECT_EQ(rowNumberText(12345), QStringLiteral("12345"));
    EXPECT_EQ(rowNumberText(5, 3), QStringLiteral("  5"));
}

}  // namespace
}  // namespace zor::editor
