#include "editor/testing/scripted_seam.h"

#include <QWidget>

namespace zor::editor {

void ScriptedSeam::message(QWidget*, const QString& text) { messages << text; }

bool ScriptedSeam::ask(QWidget*, const QString& text) {
    messages << text;
    questions << text;
    if (answers.empty()) return true;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedSeam::openFile(QWidget*, const FileRequest& request) {
    fileRequests << request;
    if (files.empty()) return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedSeam::saveFile(QWidget* parent, const FileRequest& request) {
    return openFile(parent, request);
}

void ScriptedSeam::runModal(QWidget* window) {
    modalWindows << window->objectName();
    UnattendedSeam::runModal(window);
}

void ScriptedSeam::whileShown(QWidget* window) {
    if (modalSteps.empty()) return;
    ModalStep step = std::move(modalSteps.front());
    modalSteps.pop_front();
    step(window);
}

void ScriptedSeam::beep(int) { ++beeps; }

}  // namespace zor::editor
