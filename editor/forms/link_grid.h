#pragma once
// The grid of links in the detail area of the CE, report and trace editors:
// one linked ID a row in column 1, the name it resolves to in column 2.
// What differs between them is data in LinkKind: how many rows, whether IDs
// are typed, which picker a double-click opens and how a name is looked up.
//
// The grid never holds more links than its rows: a record with more shows
// the first ones, and the line hiddenNote says how many more zoredit keeps
// (it appends them behind what the editor sends back).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

#include "editor/forms/hidden_note.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

struct LinkKind {
    int rows = 32;         // data rows, the header not counted
    bool editable = true;  // IDs can be typed into column 1
    QStringList header;    // "番号", the ID column, the name column
    // Opens the kind's picker modally, preset with `preset` (0 for none);
    // returns what it gives back, 0 when nothing was picked.
    std::function<int32_t(int32_t preset)> pick;
    // The text of the name column for an ID; "" when the ID names nothing.
    std::function<QString(int32_t id)> name;
};

class LinkGrid : public StringGrid {
    Q_OBJECT
  public:
    LinkGrid(const QString& name, const LinkKind& kind, QWidget* parent);

    const LinkKind& kind() const { return kind_; }
    int linkRows() const { return kind_.rows; }

    // Header, row numbers, empty ID and name cells; no hidden links.
    void clearLinks();
    // The first linkRows() IDs packed from row 1 with their names; the rest
    // are counted in hiddenNote.
    void showLinks(const std::vector<int32_t>& ids);
    // Column 1 of every data row, as it stands, blank rows included.
    QStringList linkCells() const;
    int hiddenCount() const { return hiddenNote->count(); }

    // Double-click on a data row: the picker, preset with the row's ID when
    // its name cell is filled. A picked ID replaces the row's link; nothing
    // picked (0, Cancel on an unpreset picker) leaves the row as it was.
    void pickRow(int col, int row);
    // Looks up the name of the ID in column 1 of `row` after the user
    // committed it. A text that is not an integer shows the conversion
    // message on Enter (ActionError) and only empties the name otherwise.
    void lookUpRow(int row, bool byEnter);
    // Empties a data row (the Delete key), which removes its link at OK.
    void clearRow(int row);

    // "他%d件は表示外（保持されます）" while a record holds more links than
    // the rows; hidden otherwise. The form places it under the grid.
    HiddenNote* hiddenNote;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    LinkKind kind_;
};

// "   1" for one digit, "  10" for more: the detail grids' row numbers.
QString linkRowNumber(int row);

}  // namespace zor::editor
