#include "editor/forms/formalset.h"

namespace zor::editor {

TformALSet* formALSet = nullptr;

TformALSet::TformALSet(QWidget* parent)
    : Form(QStringLiteral("formALSet"), QStringLiteral("AL アラームの設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
