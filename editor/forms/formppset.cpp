#include "editor/forms/formppset.h"

namespace zor::editor {

TformPPSet* formPPSet = nullptr;

TformPPSet::TformPPSet(QWidget* parent)
    : Form(QStringLiteral("formPPSet"), QStringLiteral("PP ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑの設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
