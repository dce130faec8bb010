#pragma once
// How the editor's own widgets present themselves to assistive tools: every
// window as a window named by its title, and a choice box as a list of
// choices that a tool can read and select through the table interface
// (rows are the choices, one column; selecting a row chooses it).

#include <QComboBox>

namespace zor::editor {

// A combo box whose choices assistive tools can list and select.
class ChoiceBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
};

// Installs the editor's accessibility factory once; every Form calls it.
void installAccessibility();

}  // namespace zor::editor
