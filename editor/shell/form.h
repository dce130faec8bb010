#pragma once
// The base of every window of the editor. A window is created once at start
// and lives until the program ends; it does its set-up on the first
// activation after being shown (the Tag latch, reset when it closes).

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zor::editor {

class Form : public QWidget {
    Q_OBJECT
  public:
    Form(const QString& name, const QString& caption, QWidget* parent = nullptr);

    // The set-up latch: 0 until the first activation after being shown.
    int tag() const { return tag_; }
    // Shows the window modally through the seam; returns once it is closed.
    void showModal();
    void moveTopLeft() { move(0, 0); }

    // Finds a control by its objectName; nullptr when there is none.
    template <typename T>
    T* control(const QString& name) const {
        return findChild<T*>(name);
    }

  signals:
    // Emitted when the window has closed (after formClose()).
    void closed();

  protected:
    // Called once per showing, on the first activation (Tag 0 → 1).
    virtual void firstActivate() {}
    // Called on every activation, before firstActivate() on the first one.
    virtual void formActivate() {}
    // Asked before any close; false keeps the window open.
    virtual bool canClose() { return true; }
    // Called when the window closes, after the Tag has been reset.
    virtual void formClose() {}

    // Control helpers: each control's objectName is its name in the forms.
    QPushButton* makeButton(const QString& name, const QString& caption);
    QLineEdit* makeEdit(const QString& name);
    // A label that names `buddy` for screen readers and keyboard focus.
    QLabel* makeLabel(const QString& name, const QString& text, QWidget* buddy = nullptr);

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void activate();

    int tag_ = 0;
    bool skipActivation_ = false;
};

}  // namespace zor::editor
