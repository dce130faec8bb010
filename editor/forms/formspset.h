#pragma once
// The spool editor. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformSPSet : public Form {
    Q_OBJECT
  public:
    explicit TformSPSet(QWidget* parent = nullptr);
};

extern TformSPSet* formSPSet;

}  // namespace zor::editor
