#include "editor/forms/formrcpset.h"

namespace zor::editor {

TformRCPSet* formRCPSet = nullptr;

TformRCPSet::TformRCPSet(QWidget* parent)
    : Form(QStringLiteral("formRCPSet"), QStringLiteral("レシピの設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
