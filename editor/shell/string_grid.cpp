#include "editor/shell/string_grid.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace zor::editor {

StringGrid::StringGrid(const QString& name, int cols, int rows, QWidget* parent)
    : QTableWidget(rows, cols, parent) {
    setObjectName(name);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // Every cell holds an item from the start, so flags are right for cells
    // the user reaches before the program writes them.
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { fillItems(first, last); });
    connect(model(), &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex&, int, int) { fillItems(0, rowCount() - 1); });
    connect(this, &QTableWidget::cellClicked, this,
            [this](int row, int col) { emit cellClick(col, row); });
    connect(this, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int col) { emit cellDblClick(col, row); });
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                if (row != previousRow && row >= 0) emit rowSelected(row);
            });
    fillItems(0, rows - 1);
}

void StringGrid::setFixed(int fixedCols, int fixedRows) {
    fixedCols_ = fixedCols;
    fixedRows_ = fixedRows;
    refreshFlags();
}

void StringGrid::setEditable(bool editable) {
    editable_ = editable;
    refreshFlags();
}

void StringGrid::setColumnEditable(int col, bool editable) {
    readOnlyCols_.removeAll(col);
    if (!editable) readOnlyCols_.append(col);
    refreshFlags();
}

void StringGrid::setRowSelect(bool rowSelect) {
    setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows
                                   : QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void StringGrid::applyFlags(QTableWidgetItem* item, int col, int row) const {
    bool fixed = row < fixedRows_ || col < fixedCols_;
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (!fixed) {
        flags |= Qt::ItemIsSelectable;
        if (editable_ && !readOnlyCols_.contains(col)) flags |= Qt::ItemIsEditable;
    }
    item->setFlags(flags);
    item->setBackground(fixed ? palette().button() : palette().base());
}

void StringGrid::fillItems(int firstRow, int lastRow) {
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem* it = item(r, c);
            if (!it) {
                it = new QTableWidgetItem;
                setItem(r, c, it);
            }
            applyFlags(it, c, r);
        }
    }
}

void StringGrid::refreshFlags() { fillItems(0, rowCount() - 1); }

QString StringGrid::cell(int col, int row) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount()) return;
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        applyFlags(it, col, row);
        setItem(row, col, it);
    }
    it->setText(text);
}

void StringGrid::setRowTexts(int row, const QStringList& texts) {
    for (int c = 0; c < texts.size(); ++c) setCell(c, row, texts[c]);
}

void StringGrid::clearCells() {
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) setCell(c, r, QString());
}

void StringGrid::selectCell(int col, int row) {
    if (row < 0 || row >= rowCount()) return;
    setCurrentCell(row, col);
    scrollToItem(item(row, col));
}

void StringGrid::selectGridRow(int row) {
    int col = currentColumn() >= fixedCols_ ? currentColumn() : fixedCols_;
    if (col >= columnCount()) col = columnCount() - 1;
    selectCell(col, row);
}

bool StringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool opened = QTableWidget::edit(index, trigger, event);
    if (opened) {
        editing_ = index;
        committed_ = false;
    }
    return opened;
}

void StringGrid::commitData(QWidget* editor) {
    QTableWidget::commitData(editor);
    committed_ = true;
}

void StringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const QPersistentModelIndex index = editing_;
    const bool committed = committed_;
    editing_ = QPersistentModelIndex();
    committed_ = false;
    // Enter closes the editor with SubmitModelCache; Tab, Backtab and
    // leaving the cell with the other hints, Escape without committing.
    QTableWidget::closeEditor(editor, hint);
    if (committed && index.isValid())
        emit cellCommitted(index.column(), index.row(),
                           hint == QAbstractItemDelegate::SubmitModelCache);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != EditingState && currentRow() >= fixedRows_ &&
        currentColumn() >= fixedCols_) {
        emit cellCommitted(currentColumn(), currentRow(), true);
    }
    QTableWidget::keyPressEvent(event);
}

QString rowNumberText(int number, int width) {
    return QString::number(number).rightJustified(width, u' ');
}

}  // namespace zor::editor
