#pragma once
// The history picker: shows a history file's lines, most recent first; the
// caller reads `result` after the modal call (-1 when nothing was chosen,
// else the 0-based line index).

#include <optional>

#include "editor/shell/form.h"

class QListWidget;
class QPushButton;

namespace zor::editor {

class TformHist : public Form {
    Q_OBJECT
  public:
    explicit TformHist(QWidget* parent = nullptr);

    // Input: the history file, set before the picker is shown.
    QString fileName;
    // Output: the chosen index.
    int result = -1;

    void ListBox1Click();
    void ListBox1DblClick();
    void BTN__okClick();
    void BTN_cancelClick();

  protected:
    void firstActivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QListWidget* ListBox1;
    QPushButton* BTN__ok;
    QPushButton* BTN_cancel;
    int chosen_ = -1;
};

extern TformHist* formHist;

// "Recently opened": shows the picker on a history file and returns the
// chosen line, which moves to the top of the file. An empty history says so
// and returns nothing. `history` receives the file's lines.
std::optional<QString> reopenFromHistory(QWidget* parent, const QString& historyPath,
                                         QStringList& history);

}  // namespace zor::editor
