#include "editor/shell/formhist.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "editor/shell/history.h"
#include "editor/shell/qt_print.h"

namespace zor::editor {
namespace {

class HistPicker : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    TformHist hist;
    QListWidget* list = hist.findChild<QListWidget*>(QStringLiteral("ListBox1"));

    void SetUp() override {
        hist.fileName = dir.filePath(QStringLiteral("eq_var.his"));
        writeTextLines(hist.fileName, {"/a.txt", "/b.txt", "/c.txt"});
        hist.show();
    }
    void press(const char* name) {
        QTest::mouseClick(hist.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
};

TEST_F(HistPicker, ShowsTheFileMostRecentFirstWithTheFirstLineHighlighted) {
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("/a.txt"));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(hist.result, -1);
    EXPECT_EQ(hist.windowTitle(), QStringLiteral("formHist"));
}

TEST_F(HistPicker, EnterOnTheThirdLineReturnsTwo) {
    list->setCurrentRow(2);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(hist.result, 2);
    EXPECT_FALSE(hist.isVisible());
}

TEST_F(HistPicker, CancelReturnsMinusOneAfterAnEarlierChoice) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    press("BTN_cancel");
    EXPECT_EQ(hist.result, -1);
    EXPECT_FALSE(hist.isVisible());
}

TEST_F(HistPicker, OkWithoutAChoiceReturnsTheHighlightedLineNotAnOldIndex) {
    QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      second);  // a real double-click starts with one
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(hist.result, 1);
    EXPECT_FALSE(hist.isVisible());
    hist.show();  // opened again: the first line is highlighted anew
    press("BTN__ok");
    EXPECT_EQ(hist.result, 0);
}

}  // namespace
}  // namespace zor::editor
