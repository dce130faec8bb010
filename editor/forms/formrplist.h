#pragma once
// The report picker (modal; see IdPicker for the protocol).

#include "editor/forms/id_picker.h"

namespace zor::editor {

class TformRPlist : public IdPicker {
    Q_OBJECT
  public:
    explicit TformRPlist(QWidget* parent = nullptr);

  protected:
    std::vector<lib::IdName> entries() override;
    // Fills on every activation.
    void formActivate() override { fill(); }
};

extern TformRPlist* formRPlist;

}  // namespace zor::editor
