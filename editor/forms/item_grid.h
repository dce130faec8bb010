#pragma once
// The detail grid of the FPP and recipe editors: a fixed item label a row in
// column 1 and the value typed for it in column 2, the only column the user
// edits. It remembers the values it was last given to show, so that OK can
// tell the items the user changed from those left as they were shown.

#include <QString>
#include <QStringList>

#include "editor/shell/string_grid.h"

namespace zor::editor {

class HiddenNote;

class ItemGrid : public StringGrid {
    Q_OBJECT
  public:
    // One data row per label; `accessibleName` names the grid for screen
    // readers. The note under it is hiddenNote (the form places it).
    ItemGrid(const QString& name, const QStringList& labels, const QString& accessibleName,
             QWidget* parent);

    int itemRows() const { return static_cast<int>(labels_.size()); }

    // Header, row numbers and labels; every value empty, nothing shown,
    // nothing hidden.
    void clearItems();
    // `values` from row 1 on (at most itemRows()), remembered as shown;
    // `hidden` entries of the record had no row.
    void showItems(const QStringList& values, int hidden);
    // Column 2 of every data row as it stands, row 1 first.
    QStringList items() const;
    // What showItems() put in, padded with empty values to itemRows();
    // all empty after clearItems().
    const QStringList& shownItems() const { return shown_; }

    HiddenNote* hiddenNote;

  private:
    QStringList labels_;
    QStringList shown_;
};

}  // namespace zor::editor
