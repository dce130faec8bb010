#include "editor/shell/formeqconf.h"

namespace zor::editor {

TformEqConf* formEqConf = nullptr;

TformEqConf::TformEqConf(QWidget* parent)
    : Form(QStringLiteral("formEqConf"), QStringLiteral("VUVIVA-DOV / ZOREng4 装置起動情報ファイルの設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
