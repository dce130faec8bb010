#pragma once
// The trace editor: lists, adds, changes and soft-deletes the traces held in
// zoredit (text IDs). Opened modally by the session menu. The list, the
// buttons and their flow are the definition form's; this window adds the
// sampling boxes and the grid of status variables, typed (names looked up)
// or chosen with the variable picker.

#include "editor/forms/record_form.h"
#include "editor/forms/trace_record.h"
#include "editor/shell/library.h"

class QGroupBox;
class QLabel;

namespace zor::editor {

class LinkGrid;

class TformTRSet : public RecordForm<lib::kTraceCalls> {
    Q_OBJECT
  public:
    explicit TformTRSet(QWidget* parent = nullptr);

    // The boxes as OK reads them, the SVID column included.
    TraceDetail detail() const;

    QGroupBox* GroupBox1;
    QLineEdit* edtdsper;
    QLineEdit* edttotsmp;
    QLineEdit* edtrepgsz;
    LinkGrid* SG2;
    QLabel* Label6;  // the note under the grid
    // Never made visible; no user action reaches it.
    QPushButton* btnRecover;

  protected:
    void clearDetail() override;
    void showEntry(const QString& id) override;
    QString buildRecord() override;

  private:
    void showDetail(const TraceDetail& d);
};

extern TformTRSet* formTRSet;

}  // namespace zor::editor
