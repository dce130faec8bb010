#pragma once
// The variable picker (modal; see IdPicker for the protocol): lists the
// variables of the kind chosen in its combo box, which keeps the user's last
// choice from one opening to the next.

#include "editor/forms/id_picker.h"

class QComboBox;

namespace zor::editor {

class TformVlist : public IdPicker {
    Q_OBJECT
  public:
    explicit TformVlist(QWidget* parent = nullptr);

    // 0 EC, 1 SV, 2 DVVAL: the combo box's index.
    int kind = 1;
    QComboBox* CB;

    void CBChange();

  protected:
    std::vector<lib::IdName> entries() override;
    QString extraText(const lib::IdName& entry) override;
    void formActivate() override;
};

extern TformVlist* formVlist;

}  // namespace zor::editor
