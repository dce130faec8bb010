#include "editor/shell/form.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/shell/accessibility.h"
#include "editor/shell/seam.h"

namespace zor::editor {

Form::Form(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    installAccessibility();
    setObjectName(name);
    setWindowTitle(caption);
}

void Form::showModal() { seam().runModal(this); }

QPushButton* Form::makeButton(const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* Form::makeEdit(const QString& name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    return e;
}

QLabel* Form::makeLabel(const QString& name, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    if (buddy) {
        l->setBuddy(buddy);
        buddy->setAccessibleName(text.trimmed());
    }
    return l;
}

// Offscreen and under some window managers a shown window is never
// "activated", so the first activation is also taken from the show itself.
void Form::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        activate();
        skipActivation_ = true;  // the activation that follows this show
    }
}

void Form::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible() || !isActiveWindow()) return;
    if (skipActivation_)
        skipActivation_ = false;
    else
        activate();
}

void Form::activate() {
    formActivate();
    if (tag_ == 0) {
        tag_ = 1;
        firstActivate();
    }
}

void Form::closeEvent(QCloseEvent* event) {
    if (!canClose()) {
        event->ignore();
        return;
    }
    event->accept();
    tag_ = 0;
    formClose();
    emit closed();
}

}  // namespace zor::editor
