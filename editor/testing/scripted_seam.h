#pragma once
// The seam of the editor's tests: records what the program shows and answers
// from queues. A modal window is shown without blocking, handed to the next
// scripted step (which presses its buttons) and closed afterwards if the step
// left it open.

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "editor/shell/seam.h"

namespace zor::editor {

class ScriptedSeam : public UnattendedSeam {
  public:
    using ModalStep = std::function<void(QWidget*)>;

    QStringList messages;      // every message() and ask() text, in order
    QStringList questions;     // ask() texts only
    QStringList modalWindows;  // objectNames of the windows run modally
    QList<FileRequest> fileRequests;
    std::deque<bool> answers;   // ask(); true when empty
    std::deque<QString> files;  // openFile()/saveFile(); "" (cancel) when empty
    std::deque<ModalStep> modalSteps;
    int beeps = 0;

    void message(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& text) override;
    QString openFile(QWidget* parent, const FileRequest& request) override;
    QString saveFile(QWidget* parent, const FileRequest& request) override;
    void runModal(QWidget* window) override;
    void beep(int kind) override;

  protected:
    void whileShown(QWidget* window) override;
};

}  // namespace zor::editor
