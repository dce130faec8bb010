#pragma once
// The VID picker of the variable editor: non-modal, kept on top, open while
// the user builds the VID list of an L-format variable. The caller sets
// `kind`, shows it, reads `opened` and `selectedVid`, and closes it itself.

#include "editor/shell/form.h"

namespace zor::editor {

class StringGrid;

class TformL_V : public Form {
    Q_OBJECT
  public:
    explicit TformL_V(QWidget* parent = nullptr);

    // Fewest rows the grid shows, the header included.
    static constexpr int kMinRows = 30;

    int kind = 0;         // 0 EC, 1 SV, 2 DVVAL
    int opened = 0;       // 1 from the first activation until it closes
    int selectedVid = 0;  // VID of the selected row, 0 when none

    void fill();
    void SG1Select(int row);
    void btnCancelClick();

    StringGrid* SG1;

  protected:
    void firstActivate() override;
    void formClose() override;
};

extern TformL_V* formL_V;

}  // namespace zor::editor
