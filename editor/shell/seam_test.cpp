#include "editor/shell/seam.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QPushButton>
#include <QTest>

#include "editor/shell/form.h"
#include "editor/shell/qt_print.h"
#include "editor/testing/scripted_seam.h"

namespace zor::editor {
namespace {

// A window that counts its set-up and can refuse to close.
class Probe : public Form {
  public:
    Probe() : Form(QStringLiteral("formProbe"), QStringLiteral("probe")) {
        ok = makeButton(QStringLiteral("btnOK"), QStringLiteral("確定"));
        connect(ok, &QPushButton::clicked, this, [this] {
            pressed = true;
            close();
        });
    }
    QPushButton* ok;
    int setups = 0;
    int closes = 0;
    bool pressed = false;
    bool refuse = false;

  protected:
    void firstActivate() override { ++setups; }
    bool canClose() override { return !refuse; }
    void formClose() override { ++closes; }
};

TEST(Seam, ToQtFilterTurnsPipeListsIntoQtFilters) {
    EXPECT_EQ(toQtFilter(QStringLiteral("装置環境定義ﾌｧｲﾙ(*.cnf)|*.cnf|All Files(*.*)|*.*|")),
              QStringLiteral("装置環境定義ﾌｧｲﾙ(*.cnf) (*.cnf);;All Files(*.*) (*.*)"));
    EXPECT_EQ(toQtFilter(QStringLiteral("装置情報ﾌｧｲﾙ(*txt)|*.txt")),
              QStringLiteral("装置情報ﾌｧｲﾙ(*txt) (*.txt)"));
    EXPECT_EQ(toQtFilter(QStringLiteral("Both|*.a;*.b")), QStringLiteral("Both (*.a *.b)"));
}

TEST(Seam, ScriptedSeamRecordsAndAnswersFromItsQueues) {
    ScriptedSeam s;
    SeamScope scope(s);
    EXPECT_EQ(&seam(), &s);
    seam().message(nullptr, QStringLiteral("a"));
    s.answers = {false};
    EXPECT_FALSE(seam().ask(nullptr, QStringLiteral("q1")));
    EXPECT_TRUE(seam().ask(nullptr, QStringLiteral("q2")));  // an empty queue says yes
    EXPECT_EQ(s.messages, (QStringList{"a", "q1", "q2"}));
    EXPECT_EQ(s.questions, (QStringList{"q1", "q2"}));
    s.files = {QStringLiteral("/x.cnf")};
    EXPECT_EQ(seam().openFile(nullptr, {QStringLiteral("t"), {}, {}, {}}),
              QStringLiteral("/x.cnf"));
    EXPECT_EQ(seam().saveFile(nullptr, {}), QString());  // nothing queued: cancelled
    ASSERT_EQ(s.fileRequests.size(), 2);
    EXPECT_EQ(s.fileRequests[0].title, QStringLiteral("t"));
    seam().beep(1);
    seam().beep(1);
    EXPECT_EQ(s.beeps, 2);
}

TEST(Seam, ScopesRestoreTheSeamTheyReplaced) {
    Seam* outer = &seam();
    {
        ScriptedSeam a;
        SeamScope sa(a);
        {
            ScriptedSeam b;
            SeamScope sb(b);
            EXPECT_EQ(&seam(), &b);
        }
        EXPECT_EQ(&seam(), &a);
    }
    EXPECT_EQ(&seam(), outer);
}

TEST(Seam, AScriptedModalRunsItsStepAndAlwaysEndsClosed) {
    ScriptedSeam s;
    SeamScope scope(s);
    Probe probe;
    s.modalSteps.push_back([](QWidget* w) {
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    });
    probe.showModal();
    EXPECT_TRUE(probe.pressed);
    EXPECT_FALSE(probe.isVisible());
    EXPECT_EQ(s.modalWindows, QStringList{QStringLiteral("formProbe")});

    // No step: the seam closes it; a refused close is forced shut.
    probe.refuse = true;
    probe.showModal();
    EXPECT_FALSE(probe.isVisible());
}

TEST(Form, SetUpRunsOnceAfterEachShowingAndCloseResetsTheTag) {
    Probe probe;
    EXPECT_EQ(probe.tag(), 0);
    probe.show();
    EXPECT_EQ(probe.tag(), 1);
    EXPECT_EQ(probe.setups, 1);
    probe.hide();
    probe.show();  // shown again without a close: no second set-up
    EXPECT_EQ(probe.setups, 1);
    probe.close();
    EXPECT_EQ(probe.tag(), 0);
    EXPECT_EQ(probe.closes, 1);
    probe.show();
    EXPECT_EQ(probe.setups, 2);
    probe.refuse = true;
    EXPECT_FALSE(probe.close());
    EXPECT_TRUE(probe.isVisible());
    EXPECT_EQ(probe.tag(), 1);
    probe.refuse = false;
    probe.close();
}

}  // namespace
}  // namespace zor::editor
