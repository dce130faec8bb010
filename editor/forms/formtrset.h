#pragma once
// The trace editor. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformTRSet : public Form {
    Q_OBJECT
  public:
    explicit TformTRSet(QWidget* parent = nullptr);
};

extern TformTRSet* formTRSet;

}  // namespace zor::editor
