#pragma once
// The definition session window: names the environment file and the
// definition file, compiles the source with ZorCompile, shows its progress
// lines, loads the equipment through zoredit and opens the session menu.

#include <QStringList>

#include "editor/shell/compile_protocol.h"
#include "editor/shell/form.h"

class QAction;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace zor::editor {

class ProgressListener;

class TformVConf : public Form {
    Q_OBJECT
  public:
    explicit TformVConf(QWidget* parent = nullptr);

    QStringList history;
    QString varHistoryPath;   // "eq_var.his"
    QString confHistoryPath;  // "eq_conf.his"
    QString errorText;        // GemEditSetupEquipment's reason
    // Polls of the running compile that heard nothing from it.
    CompileWatch watch;

    void btnOpenClick();
    void btnReopenClick();
    void btnReopen2Click();
    void btnOpen2Click();
    void btnNewClick();
    void btnEditClick();
    void btnEraseClick();
    void btnCancelClick();
    void btnGoClick();
    void Timer1Timer();
    // Reads the first line of "AAZZ" into MEMO (one progress message); the
    // compiler is alive, so the watch starts counting again.
    void progressMessage();
    // The port the compiler reports to: this window's handle.
    quint16 handle();

    QLineEdit* edtConf;
    QLineEdit* edtFile;
    QPlainTextEdit* MEMO;
    QTimer* Timer1;

  protected:
    void firstActivate() override;
    void formClose() override;

  private:
    void reopenInto(QLineEdit* edit, const QString& historyPath);
    // Binds the equipment and opens the menu on success; true then.
    bool loadEquipment(const QString& envFile, const QString& defFile, const QString& objectFile);

    QMenuBar* menuBar_;
    ProgressListener* listener_;
};

extern TformVConf* formVConf;

}  // namespace zor::editor
