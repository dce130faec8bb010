#pragma once
// The modal ID pickers (CE, report, variable) share one protocol: the caller
// presets `id` (0 for none), shows the picker modally and reads `id` back.
// OK or a double-click on a row takes that row's ID; Cancel leaves the preset.

#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

#include "editor/shell/form.h"
#include "editor/shell/library.h"

class QPushButton;
class QVBoxLayout;

namespace zor::editor {

class StringGrid;

// What a picker offers of a kind: its live definitions in list order. A
// deleted one would make a link that dangles once the session is saved.
template <typename C>
std::vector<lib::IdName> liveEntries(const C& calls) {
    std::vector<lib::IdName> live;
    for (lib::IdName& e : lib::binList(calls.list))
        if (!lib::isDeleted(calls, e.id)) live.push_back(std::move(e));
    return live;
}

class IdPicker : public Form {
    Q_OBJECT
  public:
    // Preset and result; 0 means none.
    int id = 0;
    // The grid row last selected, by the user or by the picker.
    int chosenRow = 0;

    // The protocol in one call: preset, show modally, the ID back.
    int32_t pick(int32_t preset);

    void btnOKClick();
    void btnCancelClick();
    void SGDblClick(int col, int row);

    StringGrid* SG;

  protected:
    // `header`: the grid's header row; its column 1 is the ID column.
    IdPicker(const QString& name, const QString& caption, const QStringList& header,
             QWidget* parent = nullptr);

    // The entries to list, and for each the texts of the columns after the
    // name (the variable picker's initial value).
    virtual std::vector<lib::IdName> entries() = 0;
    virtual QString extraText(const lib::IdName&) { return {}; }
    // Fills the grid from entries() and selects the preset row.
    void fill();

    QVBoxLayout* layout_;

  private:
    QStringList header_;
};

}  // namespace zor::editor
