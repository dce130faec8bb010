#pragma once
// The collection event picker (modal; see IdPicker for the protocol).

#include "editor/forms/id_picker.h"

namespace zor::editor {

class TformCElist : public IdPicker {
    Q_OBJECT
  public:
    explicit TformCElist(QWidget* parent = nullptr);

  protected:
    std::vector<lib::IdName> entries() override;
    // Fills on the first activation after being opened.
    void firstActivate() override { fill(); }
};

extern TformCElist* formCElist;

}  // namespace zor::editor
