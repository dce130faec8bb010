#pragma once
// The collection event editor: lists, adds, changes and soft-deletes the CEs
// held in zoredit. Opened modally by the session menu. The list, the buttons
// and their flow are the definition form's; this window adds the CEED choice
// and the grid of linked reports, filled through the report picker.

#include "editor/forms/record_form.h"
#include "editor/shell/library.h"

class QComboBox;
class QGroupBox;
class QPlainTextEdit;

namespace zor::editor {

class LinkGrid;

class TformCESet : public RecordForm<lib::kCeCalls> {
    Q_OBJECT
  public:
    explicit TformCESet(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    QComboBox* CB;
    LinkGrid* SG2;
    QPlainTextEdit* Memo1;

  protected:
    void clearDetail() override;
    void showEntry(const QString& id) override;
    QString buildRecord() override;
};

extern TformCESet* formCESet;

}  // namespace zor::editor
