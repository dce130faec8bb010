#pragma once
// The variable editor (EC, SV, DVVAL). For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformVSet : public Form {
    Q_OBJECT
public:
    explicit TformVSet(QWidget* parent = nullptr);

    // 0 EC, 1 SV, 2 DVVAL; set by the session menu before showing.
    int mode = 0;
};

extern TformVSet* formVSet;

}  // namespace zor::editor
