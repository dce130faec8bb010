#include "editor/shell/formcgrid.h"

namespace zor::editor {

TformCGrid* formCGrid = nullptr;

TformCGrid::TformCGrid(QWidget* parent)
    : Form(QStringLiteral("formCGrid"), QStringLiteral("VUVIVA-DOV 装置起動情報設定"), parent) {
    resize(640, 480);
}

}  // namespace zor::editor
