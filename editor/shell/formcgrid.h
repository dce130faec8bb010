#pragma once
// The environment session's key grid; its caption follows the software type. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformCGrid : public Form {
    Q_OBJECT
public:
    explicit TformCGrid(QWidget* parent = nullptr);
};

extern TformCGrid* formCGrid;

}  // namespace zor::editor
