#include "editor/shell/seam.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "editor/shell/app_title.h"
#include "editor/shell/library.h"

namespace zor::editor {

namespace {

QtSeam defaultSeam;
Seam* current = nullptr;

// Ends a nested event loop when the watched window is hidden or destroyed.
class HideWatcher : public QObject {
  public:
    HideWatcher(QWidget* w, QEventLoop* loop) : QObject(w), loop_(loop) {
        w->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide) loop_->quit();
        return false;
    }

  private:
    QEventLoop* loop_;
};

}  // namespace

Seam& seam() { return current ? *current : defaultSeam; }

Seam* setSeam(Seam* s) {
    Seam* previous = current;
    current = s;
    return previous;
}

QString toQtFilter(const QString& filter) {
    QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty()) continue;
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << parts[i] + QStringLiteral(" (") + patterns + u')';
    }
    return out.join(QStringLiteral(";;"));
}

// ---- QtSeam -----------------------------------------------------------------

void QtSeam::message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtSeam::ask(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() != cancel;
}

QString QtSeam::openFile(QWidget* parent, const FileRequest& r) {
    QString start = r.fileName.isEmpty() ? r.directory : r.directory + u'/' + r.fileName;
    return QFileDialog::getOpenFileName(parent, r.title, start, toQtFilter(r.filter));
}

QString QtSeam::saveFile(QWidget* parent, const FileRequest& r) {
    QString start = r.fileName.isEmpty() ? r.directory : r.directory + u'/' + r.fileName;
    return QFileDialog::getSaveFileName(parent, r.title, start, toQtFilter(r.filter));
}

// Modal as the original platform does it: the windows visible now are
// disabled while the window runs, so a window it shows later (the session
// menu over the session window) stays usable.
void QtSeam::runModal(QWidget* window) {
    QList<QPointer<QWidget>> disabled;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != window && w->isVisible() && w->isEnabled()) {
            w->setEnabled(false);
            disabled << w;
        }
    }
    QEventLoop loop;
    auto* watcher = new HideWatcher(window, &loop);
    window->show();
    window->raise();
    window->activateWindow();
    if (window->isVisible()) loop.exec();
    delete watcher;
    for (const QPointer<QWidget>& w : disabled)
        if (w) w->setEnabled(true);
}

void QtSeam::beep(int kind) { lib::beep(kind); }

// ---- UnattendedSeam ------------------------------------------------------------

void UnattendedSeam::message(QWidget*, const QString&) {}

bool UnattendedSeam::ask(QWidget*, const QString&) { return true; }

QString UnattendedSeam::openFile(QWidget*, const FileRequest&) { return {}; }

QString UnattendedSeam::saveFile(QWidget*, const FileRequest&) { return {}; }

void UnattendedSeam::runModal(QWidget* window) {
    QPointer<QWidget> w(window);
    window->show();
    QApplication::processEvents();
    whileShown(window);
    if (w && w->isVisible()) {
        w->close();
        if (w->isVisible()) w->hide();  // a refused close must not leave it up
    }
}

void UnattendedSeam::whileShown(QWidget*) {}

void UnattendedSeam::beep(int) {}

}  // namespace zor::editor
