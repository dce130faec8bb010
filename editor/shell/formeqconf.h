#pragma once
// The environment session's file chooser: names the environment file (new,
// open, recently used), chooses the software type and opens the key grid.

#include <QStringList>

#include "editor/shell/form.h"

class QComboBox;
class QLineEdit;

namespace zor::editor {

class TformEqConf : public Form {
    Q_OBJECT
  public:
    explicit TformEqConf(QWidget* parent = nullptr);

    QStringList history;
    QString historyPath;  // "eq_conf.his" in the program directory
    // The software type: the chooser's index, read by the key grid.
    int softType = 0;
    // OpenDlg's file name: the most recent history line.
    QString openDlgFileName;

    void ComboBox1Change();
    void btnNewClick();
    void btnOpenClick();
    void btnReopenClick();
    void btnGoClick();
    void btnCancelClick();

    QLineEdit* edtFile;
    QComboBox* ComboBox1;

  protected:
    void firstActivate() override;
    void formClose() override;
};

extern TformEqConf* formEqConf;

// The software type remembered between sessions, in the current directory.
inline constexpr const char* kSoftTypeFile = "soft_type.his";

}  // namespace zor::editor
