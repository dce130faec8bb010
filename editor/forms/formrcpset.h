#pragma once
// The recipe editor: lists, adds, changes and soft-deletes the recipes held
// in zoredit (text IDs). Opened modally, on top, by the session menu. The
// list, the buttons and their flow are the definition form's; this window
// adds the item grid of RCPBODY and the parameters' names and values.

#include "editor/forms/recipe_record.h"
#include "editor/forms/record_form.h"
#include "editor/shell/library.h"

class QGroupBox;

namespace zor::editor {

class ItemGrid;

class TformRCPSet : public RecordForm<lib::kRecipeCalls> {
    Q_OBJECT
  public:
    explicit TformRCPSet(QWidget* parent = nullptr);

    // The boxes and the grid as OK reads them.
    RecipeDetail detail() const;

    QGroupBox* GroupBox1;
    ItemGrid* SG2;
    // Never made visible; no user action reaches it.
    QPushButton* btnRecover;

  protected:
    void clearDetail() override;
    void showEntry(const QString& id) override;
    QString buildRecord() override;

  private:
    // The body and parameters of the record Edit showed, as it held them.
    RecipeShown shown_;
};

extern TformRCPSet* formRCPSet;

}  // namespace zor::editor
