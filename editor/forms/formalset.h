#pragma once
// The alarm editor. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformALSet : public Form {
    Q_OBJECT
  public:
    explicit TformALSet(QWidget* parent = nullptr);
};

extern TformALSet* formALSet;

}  // namespace zor::editor
