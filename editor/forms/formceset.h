#pragma once
// The collection event editor. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformCESet : public Form {
    Q_OBJECT
  public:
    explicit TformCESet(QWidget* parent = nullptr);
};

extern TformCESet* formCESet;

}  // namespace zor::editor
