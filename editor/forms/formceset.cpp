#include "editor/forms/formceset.h"

namespace zor::editor {

TformCESet* formCESet = nullptr;

TformCESet::TformCESet(QWidget* parent)
    : Form(QStringLiteral("formCESet"), QStringLiteral("CE収集イベントの設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
