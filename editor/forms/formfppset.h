#pragma once
// The formatted process program editor. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformFPPSet : public Form {
    Q_OBJECT
  public:
    explicit TformFPPSet(QWidget* parent = nullptr);
};

extern TformFPPSet* formFPPSet;

}  // namespace zor::editor
