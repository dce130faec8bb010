#include "editor/forms/windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "editor/forms/formvset.h"
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
