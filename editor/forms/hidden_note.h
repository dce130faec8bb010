#pragma once
// The read-only line under a detail grid that says how many entries of the
// shown record the grid has no room for. zoredit keeps those behind what the
// editor sends back, so the line says they are kept.

#include "editor/shell/accessibility.h"

namespace zor::editor {

class HiddenNote : public DataLabel {
    Q_OBJECT
  public:
    // `grid` is the objectName of the grid the line belongs to.
    HiddenNote(const QString& grid, QWidget* parent);

    // "他%d件は表示外（保持されます）" for a count above 0; hidden otherwise.
    void setCount(int count);
    int count() const { return count_; }

  private:
    int count_ = 0;
};

}  // namespace zor::editor
