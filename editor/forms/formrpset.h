#pragma once
// The report editor. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformRPSet : public Form {
    Q_OBJECT
  public:
    explicit TformRPSet(QWidget* parent = nullptr);
};

extern TformRPSet* formRPSet;

}  // namespace zor::editor
