#include "editor/shell/formhist.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/shell/action.h"
#include "editor/shell/history.h"
#include "editor/shell/seam.h"

namespace zor::editor {

TformHist* formHist = nullptr;

TformHist::TformHist(QWidget* parent)
    : Form(QStringLiteral("formHist"), QStringLiteral("formHist"), parent) {
    // No title-bar buttons: the picker is left through its own buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("最近開いたﾌｧｲﾙ"));
    ListBox1->installEventFilter(this);
    BTN__ok = makeButton(QStringLiteral("BTN__ok"), QStringLiteral("確定"));
    BTN_cancel = makeButton(QStringLiteral("BTN_cancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BTN__ok);
    buttons->addWidget(BTN_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    resize(520, 300);

    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(); });
    onClick(BTN__ok, this, [this] { BTN__okClick(); });
    onClick(BTN_cancel, this, [this] { BTN_cancelClick(); });
}

void TformHist::firstActivate() {
    QStringList lines;
    runAction(this, [&] { ReadHistory(kHistoryMax, fileName, lines); });
    result = -1;
    ListBox1->clear();
    ListBox1->addItems(lines);
    // The highlighted line counts as chosen until the user picks another.
    ListBox1->setCurrentRow(lines.isEmpty() ? -1 : 0);
    chosen_ = ListBox1->currentRow();
    BTN__ok->setFocus();
}

void TformHist::ListBox1Click() { chosen_ = ListBox1->currentRow(); }

void TformHist::ListBox1DblClick() {
    chosen_ = ListBox1->currentRow();
    BTN__okClick();
}

void TformHist::BTN__okClick() {
    chosen_ = ListBox1->currentRow();
    close();
    result = chosen_;
}

void TformHist::BTN_cancelClick() {
    result = -1;
    close();
}

bool TformHist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ListBox1DblClick();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

std::optional<QString> reopenFromHistory(QWidget* parent, const QString& historyPath,
                                         QStringList& history) {
    if (ReadHistory(kHistoryMax, historyPath, history) == 0) {
        seam().message(parent, QStringLiteral("以前開いたﾌｧｲﾙはありません。"));
        return std::nullopt;
    }
    formHist->fileName = historyPath;
    formHist->showModal();
    int index = formHist->result;
    if (index < 0 || index >= history.size()) return std::nullopt;
    QString line = history[index];
    AddHistory(kHistoryMax, historyPath, line);
    return line;
}

}  // namespace zor::editor
