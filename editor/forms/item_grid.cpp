#include "editor/forms/item_grid.h"

#include <QHeaderView>
#include <algorithm>

#include "editor/forms/hidden_note.h"

namespace zor::editor {

ItemGrid::ItemGrid(const QString& name, const QStringList& labels, const QString& accessibleName,
                   QWidget* parent)
    : StringGrid(name, 3, static_cast<int>(labels.size()) + 1, parent), labels_(labels) {
    setEditable(true);
    setColumnEditable(1, false);  // the labels are fixed
    setColumnWidth(0, 40);
    setColumnWidth(1, 75);
    horizontalHeader()->setStretchLastSection(true);
    setAccessibleName(accessibleName);
    hiddenNote = new HiddenNote(name, parent);
    clearItems();
    // The labels are read whole: " PPARAM-1-1" does not fit 75 pixels in
    // every font.
    setColumnWidth(1, std::max(75, sizeHintForColumn(1)));
}

void ItemGrid::clearItems() {
    setRowTexts(0, {QStringLiteral("番号"), QStringLiteral(" 項目名"), QStringLiteral(" 値")});
    for (int row = 1; row <= itemRows(); ++row)
        setRowTexts(row, {rowNumberText(row, 4), labels_[row - 1], QString()});
    shown_ = QStringList(itemRows(), QString());
    hiddenNote->setCount(0);
}

void ItemGrid::showItems(const QStringList& values, int hidden) {
    shown_ = values.mid(0, itemRows());
    while (shown_.size() < itemRows()) shown_ << QString();
    for (int row = 1; row <= itemRows(); ++row) setCell(2, row, shown_[row - 1]);
    hiddenNote->setCount(hidden);
}

QStringList ItemGrid::items() const {
    QStringList values;
    for (int row = 1; row <= itemRows(); ++row) values << cell(2, row);
    return values;
}

}  // namespace zor::editor
