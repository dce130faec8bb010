#pragma once
// The spool editor: which messages the equipment spools, one function list
// a stream. Opened modally (on top) by the session menu. No list of IDs with
// a detail: the user builds a function list for the stream in edtS (from its
// current setting, or afresh) and sets it as that stream's whole setting.

#include <cstdint>
#include <vector>

#include "editor/shell/form.h"

class QListWidget;

namespace zor::editor {

class StringGrid;

class TformSPSet : public Form {
    Q_OBJECT
  public:
    explicit TformSPSet(QWidget* parent = nullptr);

    void btnDelClick();
    void btnDelStreamClick();
    void btnSetClick();
    void btnCancelClick();
    void btnCurrentClick();
    void btnAddClick();
    void btnResetClick();

    // Re-fills SG1 with every registered message (31 rows at least).
    void fillGrid();
    // The function list lbF shows, in order.
    const std::vector<int32_t>& functionList() const { return functions_; }

    QPushButton* btnDel;
    QPushButton* btnDelStream;
    QPushButton* btnSet;
    QPushButton* btnCancel;
    StringGrid* SG1;
    QLineEdit* edtS;
    QPushButton* btnCurrent;
    QLineEdit* edtF;
    QPushButton* btnAdd;
    QPushButton* btnReset;
    QListWidget* lbF;

  protected:
    void firstActivate() override;

  private:
    // The stream in edtS; false after showing why it is none.
    bool typedStream(int* stream);
    void setFunctions(std::vector<int32_t> functions);
    void markModified();

    std::vector<int32_t> functions_;
};

extern TformSPSet* formSPSet;

}  // namespace zor::editor
