#pragma once
// The variable editor: lists, adds, changes and soft-deletes the equipment
// constants (mode 0), status variables (1) or data variables (2) held in
// zoredit. Non-modal; the session menu sets `mode` and shows it, and it shows
// the menu again when it closes. The list, the buttons and their flow are
// the definition form's; this window adds the detail grid SG2 (format, size,
// units, limits, the SV notification CEIDs) and the VID list of L-format
// variables, built with the VID picker.

#include "editor/forms/definition_form.h"
#include "editor/forms/variable_record.h"
#include "editor/shell/library.h"
#include "zoredit/zoredit.h"

class QGroupBox;
class QPlainTextEdit;
class QTimer;

namespace zor::editor {

class TformVSet : public DefinitionForm {
    Q_OBJECT
  public:
    explicit TformVSet(QWidget* parent = nullptr);

    // 0 EC, 1 SV, 2 DVVAL; set by the session menu before showing.
    int mode = 0;
    // The VIDs of the L-format variable being edited.
    VidList vidList;

    // The deferred set-up, 500 ms after the first activation.
    void Timer1Timer();
    void SG2DblClick(int col, int row);
    void btnECClick() { openVidPicker(kModeEc); }
    void btnSVClick() { openVidPicker(kModeSv); }
    void btnDVClick() { openVidPicker(kModeDv); }
    void btnL_OKClick();
    void btnVInsClick();
    void btnDelVClick();
    void btnLCancelClick();

    // Shows a record in the detail as Edit does after its get.
    void showRecord(const TV_INFO& record);
    // Column 2 of SG2 and the ID and name boxes, as OK reads them.
    VariableDetail detail() const;

    StringGrid* SG2;
    StringGrid* SG3;
    QGroupBox* GB;
    QGroupBox* grList;
    QPlainTextEdit* Memo1;
    QTimer* Timer1;

  protected:
    void firstActivate() override;
    void formClose() override;

    std::vector<DefinitionEntry> listEntries() override;
    bool entryDeleted(const QString& id) override;
    void clearDetail() override;
    void newDetail() override;
    void showEntry(const QString& id) override;
    int deleteEntry(const QString& id) override;
    QString buildRecord() override;
    int storeRecord() override;
    void releaseRecord() override;

  private:
    void applyMode();
    void clearVidGrid();
    void showVidList();
    // Ends a change of the VID list: the grid shown again, Nominal updated.
    void vidListChanged();
    void openVidPicker(int kind);
    void closeVidPicker();
    // The VID the picker offers, 0 when it is closed or has none.
    int pickedVid() const;
    int vidRow() const;

    lib::Record<TV_INFO> record_;
};

extern TformVSet* formVSet;

}  // namespace zor::editor
