#pragma once
// A string grid addressed the way the forms describe their grids: a cell is
// (column, row), row 0 is the header row, the row and column counts include
// the fixed rows and columns. The header is an ordinary row of the table, so
// grid row r is QTableWidget row r and nobody adds or subtracts one.
//
// Fixed cells (rows < fixedRows, columns < fixedCols) are never editable and
// never selectable; the other cells are editable only when setEditable(true)
// and their column is not made read-only with setColumnEditable().

#include <QTableWidget>
#include <QVector>

namespace zor::editor {

class StringGrid : public QTableWidget {
    Q_OBJECT
  public:
    // `cols` and `rows` include the fixed ones; one fixed row (the header)
    // and one fixed column by default, as a string grid starts out.
    StringGrid(const QString& name, int cols, int rows, QWidget* parent = nullptr);

    void setFixed(int fixedCols, int fixedRows = 1);
    int fixedCols() const { return fixedCols_; }
    int fixedRows() const { return fixedRows_; }
    // Data cells editable by the user (a detail grid) or not (a list grid).
    void setEditable(bool editable);
    // One data column read-only (false) or editable again (true); applies
    // while the grid is editable.
    void setColumnEditable(int col, bool editable);
    // Whole rows are selected, as in a list grid.
    void setRowSelect(bool rowSelect);

    int colCount() const { return columnCount(); }
    // rowCount() / setRowCount() are QTableWidget's and already count the
    // header row.

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Writes texts into row `row` from column 0 on.
    void setRowTexts(int row, const QStringList& texts);
    // Empties every cell, the header included; the counts stay.
    void clearCells();

    // The row of the current cell (-1 when none) and its column.
    int currentGridRow() const { return currentRow(); }
    int currentGridCol() const { return currentColumn(); }
    // Makes (col, row) the current cell and scrolls to it.
    void selectCell(int col, int row);
    // Selects a row, keeping the current column (column fixedCols when none).
    void selectGridRow(int row);

  signals:
    // Coordinates in (column, row) order, unlike QTableWidget's signals.
    void cellClick(int col, int row);
    void cellDblClick(int col, int row);
    // The current row changed (by the user or by the program).
    void rowSelected(int row);
    // The user finished with a cell: an edit was committed (by Enter, Tab or
    // leaving the cell), or Enter was pressed on a cell not being edited.
    // `byEnter` tells Enter from the other ways. Never for the program's own
    // setCell().
    void cellCommitted(int col, int row, bool byEnter);

  protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void applyFlags(QTableWidgetItem* item, int col, int row) const;
    void refreshFlags();
    void fillItems(int firstRow, int lastRow);

    int fixedCols_ = 1;
    int fixedRows_ = 1;
    bool editable_ = false;
    QVector<int> readOnlyCols_;
    // The cell an editor is open on, and whether it committed before closing.
    QPersistentModelIndex editing_;
    bool committed_ = false;
};

// A row number right-aligned by leading blanks to `width` characters
// (" 12" for width 3); longer numbers are not cut.
QString rowNumberText(int number, int width = 4);

}  // namespace zor::editor
