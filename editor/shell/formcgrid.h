#pragma once
// The environment session's key grid: one row per key of the software type,
// values read from an existing file through zoredit, written back as the
// environment file by the editor itself.

#include "editor/shell/form.h"

class QLineEdit;
struct TEq_Mgr;

namespace zor::editor {

class StringGrid;

class TformCGrid : public Form {
    Q_OBJECT
  public:
    explicit TformCGrid(QWidget* parent = nullptr);

    // The file being edited; set by formEqConf before the grid is shown.
    QString filePath;
    // GemSetupEquipment's reason when the file could not be read.
    QString errorText;
    // The settings zoredit read from filePath (library-owned).
    TEq_Mgr* eqMgr = nullptr;

    void btnSaveClick();
    void btnSaveAsClick();
    void btnEditorClick();
    void btnCancelClick();

    QLineEdit* edtFile;
    StringGrid* SG;

  protected:
    void firstActivate() override;
    void formClose() override;

  private:
    void buildGrid(int type);
    void loadFile(int type);
};

extern TformCGrid* formCGrid;

}  // namespace zor::editor
