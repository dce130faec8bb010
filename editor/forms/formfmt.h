#pragma once
// The format picker (modal): the caller presets `symbol`, shows it and, when
// `chosen` is 1 afterwards, takes `symbol` (trimmed, e.g. "U4").

#include "editor/shell/form.h"

namespace zor::editor {

class StringGrid;

class TformFmt : public Form {
    Q_OBJECT
  public:
    explicit TformFmt(QWidget* parent = nullptr);

    QString symbol;
    int chosen = 0;
    int chosenRow = 1;

    void btnOKClick();
    void btnCancelClick();

    StringGrid* SG;

  protected:
    void formActivate() override;
};

extern TformFmt* formFmt;

}  // namespace zor::editor
