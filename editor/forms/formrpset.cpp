#include "editor/forms/formrpset.h"

namespace zor::editor {

TformRPSet* formRPSet = nullptr;

TformRPSet::TformRPSet(QWidget* parent)
    : Form(QStringLiteral("formRPSet"), QStringLiteral("RP レポートIDの設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
