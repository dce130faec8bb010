#pragma once
// The environment session's file chooser. For now the window with its caption; its controls come with
// its own work.

#include "editor/shell/form.h"

namespace zor::editor {

class TformEqConf : public Form {
    Q_OBJECT
public:
    explicit TformEqConf(QWidget* parent = nullptr);
};

extern TformEqConf* formEqConf;

}  // namespace zor::editor
