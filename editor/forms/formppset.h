#pragma once
// The process program editor: lists, adds, changes and soft-deletes the
// process programs held in zoredit (text IDs). Opened modally by the session
// menu. The list, the buttons and their flow are the definition form's; this
// window adds the PPBODY box.

#include "editor/forms/pp_record.h"
#include "editor/forms/record_form.h"
#include "editor/shell/library.h"

class QGroupBox;

namespace zor::editor {

class TformPPSet : public RecordForm<lib::kPpCalls> {
    Q_OBJECT
  public:
    explicit TformPPSet(QWidget* parent = nullptr);

    // The boxes as OK reads them.
    PpDetail detail() const;

    QGroupBox* GroupBox1;
    QLineEdit* edtPpbody;
    // Never made visible; no user action reaches it.
    QPushButton* btnRecover;

  protected:
    void clearDetail() override;
    void showEntry(const QString& id) override;
    QString buildRecord() override;

  private:
    void showDetail(const PpDetail& d);
};

extern TformPPSet* formPPSet;

}  // namespace zor::editor
