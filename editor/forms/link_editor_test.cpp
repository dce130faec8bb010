#include "editor/forms/link_editor_test.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include "editor/forms/formceset.h"
#include "editor/forms/formrpset.h"
#include "editor/forms/formtrset.h"
#include "editor/forms/formvlist.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/sjis.h"
#include "editor/testing/object_file.h"
#include "zoredit/zoredit.h"

namespace zor::editor {

QStringList linkRows(const StringGrid* grid, int n) {
    QStringList rows;
    for (int row = 1; row <= n; ++row)
        rows << grid->cell(1, row) + QLatin1Char(' ') + grid->cell(2, row);
    return rows;
}

QString sampleWith(const QString& extra) {
    QFile file(testing::examplesDir() + QStringLiteral("/equipment.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QString text = fromSjis(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text + QLatin1Char('\n') + extra;
}

ScriptedSeam::ModalStep cancelPicker() {
    return [](QWidget* w) { press(w, "btnCancel"); };
}

ScriptedSeam::ModalStep pickRow(const QString& id, int kind) {
    return [id, kind](QWidget* w) {
        if (auto* v = qobject_cast<TformVlist*>(w); v && kind >= 0) {
            v->CB->setCurrentIndex(kind);
            emit v->CB->activated(kind);
        }
        auto* picker = static_cast<IdPicker*>(w);
        for (int row = 1; row < picker->SG->rowCount(); ++row)
            if (picker->SG->cell(1, row).trimmed() == id) picker->SG->selectGridRow(row);
        EXPECT_EQ(picker->SG->cell(1, picker->chosenRow).trimmed(), id);
        press(w, "btnOK");
    };
}

void LinkEditorTest::reload(const QString& source) {
    destroyWindows();
    GemTerminateLibrary();
    eq = std::make_unique<testing::Equipment>();
    ASSERT_GT(testing::load(*eq, source), 0) << eq->compileOutput.toStdString();
    createWindows();
}

void LinkEditorTest::editRow(DefinitionForm& f, const QString& id) {
    const int row = rowOf(f.SG1, id);
    ASSERT_NE(row, -1) << id.toStdString();
    f.selectListRow(row);
    press(f.btnEdit);
}

QMap<QByteArray, QByteArray> LinkEditorTest::saveAndCompile() {
    formVMenu->edtSrc->setText(eq->source);
    formVMenu->btnSaveClick();
    EXPECT_EQ(formVMenu->Modified, 0);
    EXPECT_EQ(testing::compileInPlace(*eq), 0);
    return testing::objectLines(eq->object);
}

void LinkEditorTest::expectEveryRowBackByteIdentical(DefinitionForm& f) {
    const QMap<QByteArray, QByteArray> before = testing::objectLines(eq->object);
    openForm(&f);
    const QStringList ids = listedIds(f.SG1);
    ASSERT_FALSE(ids.isEmpty());
    for (const QString& id : ids) {
        editRow(f, id);
        press(f.btnOK);
    }
    EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    EXPECT_EQ(listedIds(f.SG1), ids);
    EXPECT_EQ(testing::changedKeys(saveAndCompile(), before), QStringList{});
}

void LinkEditorTest::typeLink(LinkGrid* grid, int row, const QString& text) {
    grid->setCell(1, row, text);
    emit grid->cellCommitted(1, row, true);
}

}  // namespace zor::editor
