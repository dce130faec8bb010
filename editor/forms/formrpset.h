#pragma once
// The report editor: lists, adds, changes and soft-deletes the reports held
// in zoredit. Opened modally by the session menu. The list, the buttons and
// their flow are the definition form's; this window adds the grid of the
// report's variables, typed (names looked up) or chosen with the variable
// picker.

#include "editor/forms/record_form.h"
#include "editor/shell/library.h"

class QGroupBox;
class QPlainTextEdit;

namespace zor::editor {

class LinkGrid;

class TformRPSet : public RecordForm<lib::kReportCalls> {
    Q_OBJECT
  public:
    explicit TformRPSet(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    LinkGrid* SG2;
    QPlainTextEdit* Memo1;

  protected:
    void clearDetail() override;
    void showEntry(const QString& id) override;
    QString buildRecord() override;
};

extern TformRPSet* formRPSet;

}  // namespace zor::editor
