#include "editor/forms/hidden_note.h"

#include <algorithm>

namespace zor::editor {

HiddenNote::HiddenNote(const QString& grid, QWidget* parent)
    : DataLabel(QStringLiteral("表示外の件数"), parent) {
    setObjectName(grid + QStringLiteral("Hidden"));
    hide();
}

void HiddenNote::setCount(int count) {
    count_ = std::max(count, 0);
    setText(count_ > 0 ? QStringLiteral("他%1件は表示外（保持されます）").arg(count_) : QString());
    setVisible(count_ > 0);
}

}  // namespace zor::editor
