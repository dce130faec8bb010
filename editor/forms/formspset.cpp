#include "editor/forms/formspset.h"

namespace zor::editor {

TformSPSet* formSPSet = nullptr;

TformSPSet::TformSPSet(QWidget* parent)
    : Form(QStringLiteral("formSPSet"), QStringLiteral("スプールメッセージの設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
