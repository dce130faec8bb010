#include "editor/forms/formvset.h"

namespace zor::editor {

TformVSet* formVSet = nullptr;

TformVSet::TformVSet(QWidget* parent)
    : Form(QStringLiteral("formVSet"), QStringLiteral("EC 装置定数の設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
