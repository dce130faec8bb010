#include "editor/forms/windows.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "editor/forms/formalset.h"
#include "editor/forms/formvset.h"
#include "editor/shell/accessibility.h"
#include "editor/shell/form.h"
#include "editor/shell/formmain.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/seam.h"
#include "editor/testing/scripted_seam.h"

namespace zor::editor {
namespace {

class Windows : public ::testing::Test {
  protected:
    void SetUp() override { createWindows(); }
    void TearDown() override { destroyWindows(); }
};

TEST_F(Windows, TheTwentyWindowsExistWithTheirNamesAndCaptionsInCreationOrder) {
    const QList<QPair<QString, QString>> expected = {
        {"formMain", "VUVIVA-DOV / ZOREng4 -  システムファイル情報設定プログラム　V-1.0"},
        {"formEqConf", "VUVIVA-DOV / ZOREng4 装置起動情報ファイルの設定"},
        {"formHist", "formHist"},
        {"formCGrid", "VUVIVA-DOV 装置起動情報設定"},
        {"formVConf", "装置管理情報(EC, SV, DVVAL etc)ファイルの設定"},
        {"formVMenu", "VUVIVA-DOV / ZOREng4 管理変数情報の設定"},
        {"formVSet", "EC 装置定数の設定"},
        {"formFmt", "Format選択"},
        {"formCElist", "CEID選択"},
        {"formRPlist", "Report ID選択"},
        {"formCESet", "CE収集イベントの設定"},
        {"formVlist", "変数 ID選択"},
        {"formRPSet", "RP レポートIDの設定"},
        {"formPPSet", "PP ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑの設定"},
        {"formALSet", "AL アラームの設定"},
        {"formFPPSet", "FPP書式付プロセスプログラムの設定"},
        {"formRCPSet", "レシピの設定"},
        {"formTRSet", "TRACE IDの設定"},
        {"formSPSet", "スプールメッセージの設定"},
        {"formL_V", "List　ｱｲﾃﾑに含める変数選択"},
    };
    const QList<Form*> forms = allWindows();
    ASSERT_EQ(forms.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(forms[i]->objectName(), expected[i].first) << i;
        EXPECT_EQ(forms[i]->windowTitle(), expected[i].second) << i;
    }
    EXPECT_EQ(forms[0], formMain);
}

TEST_F(Windows, SessionControlsCarryTheirNames) {
    for (const char* name : {"btnEqConf", "btnEqVar", "btnExit"})
        EXPECT_NE(formMain->findChild<QPushButton*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(formMain->findChild<QPushButton*>(QStringLiteral("btnExit"))->text(),
              QStringLiteral("終了"));
    for (const char* name : {"btnCancel", "btnSave", "btnSaveAs", "btnEditor", "btnCompile",
                             "btnErase", "btnEc", "btnSV", "btnDV", "btnTRACE", "btnCE",
                             "btnREPORT", "btnALARM", "btnPP", "btnFPP", "btnRCP", "btnSPOLL"})
        EXPECT_NE(formVMenu->findChild<QPushButton*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(formVMenu->findChild<QPushButton*>(QStringLiteral("btnSPOLL"))->text(),
              QStringLiteral("　SPOOL ｽﾌﾟｰﾙ情報"));
}

// What a user can operate or read as a control. Parts of a composite
// control (a grid's scroll bars and headers, a combo box's popup) are named
// by the control they belong to and are not walked into.
bool interactive(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           (w->focusPolicy() & Qt::TabFocus);
}

bool composite(const QWidget* w) {
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w);
}

QString accessibleName(QObject* o) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Name).trimmed() : QString();
}

QString pathOf(const QString& parent, const QObject* o) {
    return parent + u'/' +
           (o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                      : o->objectName());
}

void collectUnnamed(QWidget* parent, const QString& path, QStringList& unnamed);

// A menu bar or menu: itself, each entry by its text, and the menus it opens
// (its overflow button is its own part).
void collectUnnamedMenu(QWidget* menu, const QString& here, QStringList& unnamed) {
    if (accessibleName(menu).isEmpty()) unnamed << here;
    for (QAction* action : menu->actions())
        if (!action->isSeparator() && action->text().remove(u'&').trimmed().isEmpty())
            unnamed << pathOf(here, action);
    for (QMenu* sub : menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        collectUnnamedMenu(sub, pathOf(here, sub), unnamed);
}

// objectName paths of the interactive widgets under `parent` that an
// assistive tool would find without a name.
void collectUnnamed(QWidget* parent, const QString& path, QStringList& unnamed) {
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w) continue;
        const QString here = pathOf(path, w);
        if (qobject_cast<QMenuBar*>(w) || qobject_cast<QMenu*>(w)) {
            collectUnnamedMenu(w, here, unnamed);
            continue;
        }
        if (interactive(w) && accessibleName(w).isEmpty()) unnamed << here;
        if (!composite(w)) collectUnnamed(w, here, unnamed);
    }
}

// Every window that createWindows() makes is walked, the ones added later
// included: a control without a name is one a screen reader cannot tell.
TEST_F(Windows, EveryControlOfEveryWindowHasAnAccessibleName) {
    QStringList unnamed;
    for (Form* form : allWindows()) collectUnnamed(form, form->objectName(), unnamed);
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(u'\n').toStdString();
}

// A label whose text is data (the count of entries past a grid, the name a
// CEID stands for) has a name of its own and gives its text as it stands.
TEST_F(Windows, EveryDataLabelHasItsOwnNameAndReadsAsItsText) {
    int labels = 0;
    for (Form* form : allWindows()) {
        for (QLabel* label : form->findChildren<QLabel*>()) {
            if (!qobject_cast<DataLabel*>(label)) continue;
            ++labels;
            const std::string where = pathOf(form->objectName(), label).toStdString();
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(label);
            ASSERT_NE(a, nullptr) << where;
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty()) << where;
            for (QWidget* w = label->parentWidget(); w; w = w->parentWidget()) {
                if (auto* group = qobject_cast<QGroupBox*>(w)) {
                    EXPECT_NE(a->text(QAccessible::Name), group->title()) << where;
                }
            }
            const QString before = label->text();
            for (const QString& shown : {QStringLiteral("他3件は表示外（保持されます）"),
                                         QStringLiteral("CE_ALARM_DOOR_SET"), QString()}) {
                label->setText(shown);
                EXPECT_EQ(a->text(QAccessible::Value), shown) << where;
                EXPECT_EQ(a->text(QAccessible::Description), shown) << where;
            }
            label->setText(before);
        }
    }
    // The link and item grids' notes and the alarm editor's two event names.
    EXPECT_GE(labels, 6);
    const auto* on = formALSet->findChild<QLabel*>(QStringLiteral("labCeon"));
    const auto* off = formALSet->findChild<QLabel*>(QStringLiteral("labCeoff"));
    ASSERT_TRUE(on && off);
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(const_cast<QLabel*>(on))->text(QAccessible::Name),
        QStringLiteral("アラーム発生イベント名"));
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(const_cast<QLabel*>(off))->text(QAccessible::Name),
        QStringLiteral("アラーム解除イベント名"));
}

TEST_F(Windows, WindowsAreWindowsNamedByTheirTitles) {
    for (Form* form : allWindows()) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(form);
        ASSERT_NE(a, nullptr) << form->objectName().toStdString();
        EXPECT_EQ(a->role(), QAccessible::Window) << form->objectName().toStdString();
        EXPECT_EQ(a->text(QAccessible::Name), form->windowTitle())
            << form->objectName().toStdString();
    }
}

TEST_F(Windows, MenuPanelsOpenTheirEditors) {
    ScriptedSeam seam;
    SeamScope scope(seam);
    formVMenu->show();
    QTest::mouseClick(formVMenu->findChild<QPushButton*>(QStringLiteral("btnCE")), Qt::LeftButton);
    EXPECT_EQ(seam.modalWindows, QStringList{QStringLiteral("formCESet")});
    EXPECT_TRUE(formVMenu->isVisible());  // back when the modal editor returns
    QTest::mouseClick(formVMenu->findChild<QPushButton*>(QStringLiteral("btnFPP")), Qt::LeftButton);
    EXPECT_TRUE(seam.modalWindows.contains(QStringLiteral("formFPPSet")));
    // The alarm and spool editors are whole windows, the spool one on top.
    bool spoolOnTop = false;
    seam.modalSteps = {[](QWidget* w) { EXPECT_NE(w->findChild<QWidget*>("edtCeon"), nullptr); },
                       [&](QWidget* w) {
                           spoolOnTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                           EXPECT_NE(w->findChild<QWidget*>("lbF"), nullptr);
                       }};
    QTest::mouseClick(formVMenu->findChild<QPushButton*>(QStringLiteral("btnALARM")),
                      Qt::LeftButton);
    QTest::mouseClick(formVMenu->findChild<QPushButton*>(QStringLiteral("btnSPOLL")),
                      Qt::LeftButton);
    EXPECT_EQ(seam.modalWindows.mid(2), (QStringList{"formALSet", "formSPSet"}));
    EXPECT_TRUE(spoolOnTop);
    EXPECT_TRUE(seam.modalSteps.empty());
    // The variable editor is not modal: the menu stays hidden behind it.
    QTest::mouseClick(formVMenu->findChild<QPushButton*>(QStringLiteral("btnDV")), Qt::LeftButton);
    EXPECT_EQ(formVSet->mode, 2);
    EXPECT_TRUE(formVSet->isVisible());
    EXPECT_FALSE(formVMenu->isVisible());
    formVSet->close();
}

}  // namespace
}  // namespace zor::editor
