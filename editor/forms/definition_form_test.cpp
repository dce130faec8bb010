#include "editor/forms/definition_form.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTest>

#include "editor/shell/action.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"
#include "editor/testing/scripted_seam.h"

namespace zor::editor {
namespace {

// A kind with text IDs kept in memory, to drive the shared flow the way the
// PP, FPP, RCP and trace editors will.
class FakeForm : public DefinitionForm {
  public:
    explicit FakeForm(const DefinitionKind& kind)
        : DefinitionForm(QStringLiteral("formFake"), QStringLiteral("fake"), kind) {}

    struct Entry {
        QString name;
        bool deleted = false;
    };
    QMap<QString, Entry> store;  // by ID
    QString refusal;             // what buildRecord() answers
    bool throwInBuild = false;
    int held = 0;  // records built and not yet released

    using DefinitionForm::openList;

  protected:
    std::vector<DefinitionEntry> listEntries() override {
        std::vector<DefinitionEntry> out;
        for (auto it = store.cbegin(); it != store.cend(); ++it)
            out.push_back({it.key(), it->name});
        return out;
    }
    bool entryDeleted(const QString& id) override { return store.value(id).deleted; }
    void clearDetail() override {}
    void showEntry(const QString& id) override { edtName->setText(store.value(id).name); }
    int deleteEntry(const QString& id) override {
        if (!store.contains(id)) return -2;
        store[id].deleted = true;
        return 0;
    }
    QString buildRecord() override {
        held = 1;
        if (throwInBuild) throw ActionError(notIntegerMessage(QStringLiteral("x")));
        return refusal;
    }
    int storeRecord() override {
        store[edtId->text()] = {edtName->text()};
        return 0;
    }
    void releaseRecord() override { held = 0; }
};

DefinitionKind textKind(bool refusalEndsOk) {
    return {QStringLiteral("PPID"), QStringLiteral("PP_"), QStringLiteral("PPID = "), 16, true,
            refusalEndsOk};
}

class SharedForm : public ::testing::Test {
  protected:
    ScriptedSeam script;
    SeamScope scope{script};
};

TEST_F(SharedForm, AnEmptyListShowsNumberedRowsOnWhichEditAndDeleteDoNothing) {
    FakeForm f(textKind(false));
    f.openList();
    EXPECT_EQ(f.SG1->rowCount(), 16);
    EXPECT_EQ(f.SG1->cell(1, 0), QStringLiteral("PPID"));
    EXPECT_EQ(f.SG1->cell(0, 15), QStringLiteral("  15"));
    EXPECT_EQ(f.currentListRow(), 1);
    f.btnEditClick();
    f.btnDelClick();
    EXPECT_TRUE(script.messages.isEmpty());
    EXPECT_EQ(script.beeps, 0);
}

TEST_F(SharedForm, TextIdsAreAskedAsTheyStandAndDeleteOnTheMarkDoesNothing) {
    FakeForm f(textKind(false));
    f.store.insert(QStringLiteral("pp1"), {QStringLiteral("PP_ONE")});
    f.store.insert(QStringLiteral("pp2"), {QStringLiteral("PP_TWO")});
    f.openList();
    QTest::mouseClick(f.btnDel, Qt::LeftButton);
    EXPECT_EQ(script.questions, QStringList{"PPID = pp1 名前=PP_ONEを削除しますか？"});
    EXPECT_EQ(f.SG1->cell(1, 1), QStringLiteral("***"));
    // Delete on the mark of a text ID: no question, no change, no beep.
    QTest::mouseClick(f.btnDel, Qt::LeftButton);
    EXPECT_EQ(script.questions.size(), 1);
    EXPECT_EQ(script.messages, script.questions);
    EXPECT_EQ(f.SG1->cell(1, 1), QStringLiteral("***"));
    EXPECT_EQ(script.beeps, 2);
    // A text ID differing only in case, with another name: the text check refuses.
    f.edtId->setText(QStringLiteral("PP2"));
    f.edtName->setText(QStringLiteral("PP_OTHER"));
    QTest::mouseClick(f.btnOK, Qt::LeftButton);
    EXPECT_EQ(script.messages.last(),
              QStringLiteral("IDが重複しています。 2番目を確認してください。"));
    EXPECT_EQ(f.store.size(), 2);
    EXPECT_FALSE(f.store.contains(QStringLiteral("PP2")));
}

TEST_F(SharedForm, ARefusalEndsOkOnlyWhenTheKindSaysSoAndTheRecordIsAlwaysReleased) {
    for (bool ends : {true, false}) {
        FakeForm f(textKind(ends));
        f.openList();
        script.beeps = 0;
        f.refusal = QStringLiteral("alidを確認してください。");
        QTest::mouseClick(f.btnOK, Qt::LeftButton);
        EXPECT_EQ(script.messages.last(), f.refusal);
        EXPECT_EQ(script.beeps, ends ? 0 : 2);
        EXPECT_EQ(f.held, 0);
    }
    FakeForm f(textKind(false));
    f.throwInBuild = true;
    script.beeps = 0;
    QTest::mouseClick(f.btnOK, Qt::LeftButton);
    EXPECT_EQ(script.messages.last(), QStringLiteral("'x' は整数ではありません"));
    EXPECT_EQ(script.beeps, 0);
    EXPECT_EQ(f.held, 0);
}

}  // namespace
}  // namespace zor::editor
