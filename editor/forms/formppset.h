#pragma once
// The process program editor. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformPPSet : public Form {
    Q_OBJECT
  public:
    explicit TformPPSet(QWidget* parent = nullptr);
};

extern TformPPSet* formPPSet;

}  // namespace zor::editor
