#pragma once
// The recipe editor. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformRCPSet : public Form {
    Q_OBJECT
  public:
    explicit TformRCPSet(QWidget* parent = nullptr);
};

extern TformRCPSet* formRCPSet;

}  // namespace zor::editor
