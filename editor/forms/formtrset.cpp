#include "editor/forms/formtrset.h"

namespace zor::editor {

TformTRSet* formTRSet = nullptr;

TformTRSet::TformTRSet(QWidget* parent)
    : Form(QStringLiteral("formTRSet"), QStringLiteral("TRACE IDの設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
