#include "editor/forms/link_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

#include "editor/shell/action.h"

namespace zor::editor {

QString linkRowNumber(int row) { return QString(row < 10 ? 3 : 2, u' ') + QString::number(row); }

LinkGrid::LinkGrid(const QString& name, const LinkKind& kind, QWidget* parent)
    : StringGrid(name, 3, kind.rows + 1, parent), kind_(kind) {
    setRowSelect(!kind_.editable);
    setColumnEditable(2, false);  // names follow the IDs, never typed
    setEditable(kind_.editable);
    // A double-click picks; typing or F2 edits.
    setEditTriggers(EditKeyPressed | AnyKeyPressed);
    setColumnWidth(0, 44);
    setColumnWidth(1, 80);
    horizontalHeader()->setStretchLastSection(true);
    setAccessibleName(name);

    hiddenNote = new HiddenNote(name, parent);

    connect(this, &StringGrid::cellDblClick, this,
            [this](int col, int row) { runAction(window(), [=, this] { pickRow(col, row); }); });
    if (kind_.editable)
        connect(this, &StringGrid::cellCommitted, this, [this](int col, int row, bool byEnter) {
            if (col == 1) runAction(window(), [=, this] { lookUpRow(row, byEnter); });
        });
}

void LinkGrid::clearLinks() {
    setRowTexts(0, kind_.header);
    for (int row = 1; row <= kind_.rows; ++row)
        setRowTexts(row, {linkRowNumber(row), QString(), QString()});
    hiddenNote->setCount(0);
}

void LinkGrid::showLinks(const std::vector<int32_t>& ids) {
    const int shown = std::min(static_cast<int>(ids.size()), kind_.rows);
    for (int i = 0; i < shown; ++i) {
        const int32_t id = ids[static_cast<size_t>(i)];
        setCell(1, i + 1, QString::number(id));
        setCell(2, i + 1, kind_.name(id));
    }
    hiddenNote->setCount(static_cast<int>(ids.size()) - shown);
}

QStringList LinkGrid::linkCells() const {
    QStringList cells;
    for (int row = 1; row <= kind_.rows; ++row) cells << cell(1, row);
    return cells;
}

void LinkGrid::pickRow(int col, int row) {
    if (col < 1 || row < 1 || row > kind_.rows) return;
    const int32_t preset = cell(2, row).trimmed().isEmpty() ? 0 : toInt(cell(1, row).trimmed());
    const int32_t picked = kind_.pick(preset);
    if (picked == 0) return;
    setCell(1, row, QString::number(picked));
    setCell(2, row, kind_.name(picked));
}

void LinkGrid::lookUpRow(int row, bool byEnter) {
    if (row < 1 || row > kind_.rows) return;
    const QString text = cell(1, row).trimmed();
    setCell(2, row, QString());
    if (text.isEmpty()) return;
    int32_t id = 0;
    if (byEnter) {
        id = toInt(text);
    } else {
        try {
            id = toInt(text);
        } catch (const ActionError&) {
            return;  // said at Enter or at OK, not while the user moves on
        }
    }
    setCell(2, row, kind_.name(id));
}

void LinkGrid::clearRow(int row) {
    if (row < 1 || row > kind_.rows) return;
    setCell(1, row, QString());
    setCell(2, row, QString());
}

void LinkGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        clearRow(currentRow());
        return;
    }
    StringGrid::keyPressEvent(event);
}

}  // namespace zor::editor
