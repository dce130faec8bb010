#pragma once
// The alarm editor: lists, adds, changes and soft-deletes the alarms held in
// zoredit. Opened modally by the session menu. The list, the buttons and
// their flow are the definition form's (a refusal at OK ends the click);
// this window adds the alarm's boxes, with the set and clear events typed
// (their names looked up) or chosen with the CE picker by a double-click.

#include "editor/forms/alarm_record.h"
#include "editor/forms/record_form.h"
#include "editor/shell/library.h"

class QComboBox;
class QGroupBox;
class QLabel;

namespace zor::editor {

class TformALSet : public RecordForm<lib::kAlarmCalls> {
    Q_OBJECT
  public:
    explicit TformALSet(QWidget* parent = nullptr);

    // The boxes as OK reads them.
    AlarmDetail detail() const;

    // Double-click on edtCeon / edtCeoff: the CE picker, preset with the
    // box's CEID.
    void edtCeonDblClick();
    void edtCeoffDblClick();

    QGroupBox* GroupBox1;
    QLineEdit* edtAlcd;
    QLineEdit* edtAltx;
    QComboBox* CB;
    QLineEdit* edtCeon;
    QLineEdit* edtCeoff;
    QLabel* labCeon;
    QLabel* labCeoff;
    QLabel* Label9;  // the note under the group box
    // Never made visible; no user action reaches it.
    QPushButton* btnRecover;

  protected:
    void firstActivate() override;
    void clearDetail() override;
    void showEntry(const QString& id) override;
    QString buildRecord() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showDetail(const AlarmDetail& d);
    void pickCe(QLineEdit* box, QLabel* label);
};

extern TformALSet* formALSet;

}  // namespace zor::editor
