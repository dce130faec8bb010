#include "editor/forms/formfppset.h"

namespace zor::editor {

TformFPPSet* formFPPSet = nullptr;

TformFPPSet::TformFPPSet(QWidget* parent)
    : Form(QStringLiteral("formFPPSet"), QStringLiteral("FPP書式付プロセスプログラムの設定"),
           parent) {
    resize(640, 480);
}

}  // namespace zor::editor
