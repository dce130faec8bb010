#pragma once
// What the tests of the CE, report and trace editors share: the sample
// equipment compiled and loaded, the windows created, a scripted seam, and
// ways to drive the list, the link grid and the pickers as a user does.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QMap>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <memory>

#include "editor/forms/definition_form.h"
#include "editor/forms/id_picker.h"
#include "editor/forms/link_grid.h"
#include "editor/forms/record_fields.h"
#include "editor/forms/windows.h"
#include "editor/shell/library.h"
#include "editor/shell/string_grid.h"
#include "editor/testing/form_driver.h"
#include "editor/testing/scripted_seam.h"
#include "editor/testing/test_equipment.h"

namespace zor::editor {

// Rows 1..n of a link grid as "ID name".
QStringList linkRows(const StringGrid* grid, int n);
// The sample equipment's source with `extra` blocks after it.
QString sampleWith(const QString& extra);

// A modal step for an ID picker: Cancel.
ScriptedSeam::ModalStep cancelPicker();
// A modal step for an ID picker: the variable picker switched to `kind`
// (-1: as it stands), the row of `id` chosen, OK.
ScriptedSeam::ModalStep pickRow(const QString& id, int kind = -1);

class LinkEditorTest : public ::testing::Test {
  protected:
    void SetUp() override { reload(QString()); }
    void TearDown() override {
        destroyWindows();
        GemTerminateLibrary();
    }
    // A fresh equipment (empty: the sample) and fresh windows.
    void reload(const QString& source);

    template <typename Form>
    Form& openForm(Form* form) {
        form->show();  // the first activation fills the list
        return *form;
    }
    void editRow(DefinitionForm& f, const QString& id);
    // Saved from the session menu and compiled again: the new object lines.
    QMap<QByteArray, QByteArray> saveAndCompile();
    // Edit and an unchanged OK on every listed definition of `f`; then saved
    // and compiled, every object line is as it was.
    void expectEveryRowBackByteIdentical(DefinitionForm& f);
    // Types an ID into column 1 of `row` and presses Enter on it.
    void typeLink(LinkGrid* grid, int row, const QString& text);

    std::unique_ptr<testing::Equipment> eq;
    ScriptedSeam script;
    SeamScope scope{script};
};

}  // namespace zor::editor
