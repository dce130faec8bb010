#pragma once
// Everything that waits for the user or makes a noise goes through one Seam:
// message boxes, the Yes/Cancel question, file dialogs, modal windows and the
// confirmation beep. The program installs QtSeam; tests install a ScriptedSeam
// (editor/testing) that answers from a script and counts, so no test ever
// blocks on a window.

#include <QString>

class QWidget;

namespace zor::editor {

// A file dialog as the forms describe it. `filter` is written the way the
// forms give it, "text|pattern|text|pattern|" (see toQtFilter).
struct FileRequest {
    QString title;
    QString directory;
    QString fileName;
    QString filter;
};

class Seam {
  public:
    virtual ~Seam() = default;

    // A plain box with one OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A box without icon with "はい(&Y)" and "キャンセル". True unless the
    // user cancelled: only Cancel stops the action.
    virtual bool ask(QWidget* parent, const QString& text) = 0;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual QString saveFile(QWidget* parent, const FileRequest& request) = 0;
    // Shows a window modally and returns once it is hidden again.
    virtual void runModal(QWidget* window) = 0;
    // The confirmation beep (ZorBeep(kind, 50) in the real program).
    virtual void beep(int kind) = 0;
};

// The seam in use; QtSeam unless a test installed another one.
Seam& seam();
// Installs `s` (not owned) and returns the one it replaces; nullptr restores
// the default QtSeam.
Seam* setSeam(Seam* s);

// "a|*.x|b|*.y|" → "a (*.x);;b (*.y)" for QFileDialog.
QString toQtFilter(const QString& filter);

class QtSeam : public Seam {
  public:
    void message(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& text) override;
    QString openFile(QWidget* parent, const FileRequest& request) override;
    QString saveFile(QWidget* parent, const FileRequest& request) override;
    void runModal(QWidget* window) override;
    void beep(int kind) override;
};

// Answers at once and shows nothing: messages are dropped, questions
// answered Yes, file dialogs cancelled, and a modal window is shown without
// blocking and closed again. The screenshot mode runs under it; tests build
// on it (editor/testing/scripted_seam.h).
class UnattendedSeam : public Seam {
  public:
    void message(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& text) override;
    QString openFile(QWidget* parent, const FileRequest& request) override;
    QString saveFile(QWidget* parent, const FileRequest& request) override;
    void runModal(QWidget* window) override;
    void beep(int kind) override;

  protected:
    // What happens to a modal window between runModal()'s show and close.
    virtual void whileShown(QWidget* window);
};

// Installs a seam for the lifetime of a scope.
class SeamScope {
  public:
    explicit SeamScope(Seam& s) : previous_(setSeam(&s)) {}
    ~SeamScope() { setSeam(previous_); }
    SeamScope(const SeamScope&) = delete;
    SeamScope& operator=(const SeamScope&) = delete;

  private:
    Seam* previous_;
};

}  // namespace zor::editor
