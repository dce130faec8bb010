#pragma once
// The definition session menu: opens the editors, saves the definitions back
// to the source through zoredit, compiles again, and asks before a close
// throws away changes (Modified).

#include <QMap>
#include <functional>

#include "editor/shell/form.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace zor::editor {

class ProgressListener;

// How a panel of the menu opens its editor; filled in by whoever creates
// the windows (the editors live in the forms library).
struct EditorLaunch {
    enum Mode { Modal, ModalOnTop, Modeless };
    Form* form = nullptr;
    Mode mode = Modal;
    // Run before the editor is shown (the variable editor gets its kind).
    std::function<void()> prepare;
};

class TformVMenu : public Form {
    Q_OBJECT
  public:
    explicit TformVMenu(QWidget* parent = nullptr);

    int Modified = 0;

    // Every editor calls this after it sent a change to zoredit.
    void SetModified() { Modified = 1; }

    void setLaunch(const QString& panelName, EditorLaunch launch);
    void panelClick(const QString& panelName);

    void btnSaveClick();
    void btnSaveAsClick();
    void btnCompileClick();
    void btnEditorClick();
    void btnEraseClick();
    void btnCancelClick();
    void Timer1Timer();
    void progressMessage();
    quint16 handle();

    QLineEdit* edtSrc;
    QLineEdit* edtFile;
    QPlainTextEdit* Memo;
    QPlainTextEdit* Memo1;
    QTimer* Timer1;

  protected:
    void firstActivate() override;
    bool canClose() override;
    void formClose() override;

  private:
    QMap<QString, EditorLaunch> launches_;
    ProgressListener* listener_;
};

extern TformVMenu* formVMenu;

// Appends one line to a log memo.
void appendLine(QPlainTextEdit* memo, const QString& line);

}  // namespace zor::editor
