#pragma once
// The formatted process program editor: lists, adds, changes and soft-deletes
// the formatted process programs held in zoredit (text IDs). Opened modally,
// on top, by the session menu. The list, the buttons and their flow are the
// definition form's; this window adds the item grid of MDLN, SOFTREV and the
// command codes with their parameters.

#include <vector>

#include "editor/forms/fpp_record.h"
#include "editor/forms/record_form.h"
#include "editor/shell/library.h"

class QGroupBox;

namespace zor::editor {

class ItemGrid;

class TformFPPSet : public RecordForm<lib::kFppCalls> {
    Q_OBJECT
  public:
    explicit TformFPPSet(QWidget* parent = nullptr);

    // The boxes and the grid as OK reads them.
    FppDetail detail() const;

    QGroupBox* GroupBox1;
    ItemGrid* SG2;
    // Never made visible; no user action reaches it.
    QPushButton* btnRecover;

  protected:
    void clearDetail() override;
    void showEntry(const QString& id) override;
    QString buildRecord() override;

  private:
    // The command codes of the record Edit showed, as it held them.
    std::vector<FppCode> shownCodes_;
};

extern TformFPPSet* formFPPSet;

}  // namespace zor::editor
