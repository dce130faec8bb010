#pragma once
// How the editor's own widgets present themselves to assistive tools: every
// window as a window named by its title, and a choice box as a list of
// choices that a tool can read and select through the table interface
// (rows are the choices, one column; selecting a row chooses it), and a
// label that shows data as its own name with that data to read.

#include <QComboBox>
#include <QLabel>

namespace zor::editor {

// A combo box whose choices assistive tools can list and select.
class ChoiceBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
};

// A label whose text is data (a count, the name a number stands for): tools
// read it by its own accessible name, with its text, as it stands now, as
// its value and description.
class DataLabel : public QLabel {
    Q_OBJECT
  public:
    DataLabel(const QString& name, QWidget* parent) : QLabel(parent) { setAccessibleName(name); }
};

// Installs the editor's accessibility factory once; every Form calls it.
void installAccessibility();

}  // namespace zor::editor
