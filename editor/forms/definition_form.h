#pragma once
// The definition form: what the definition editors (variables, CE, reports,
// alarms, traces, PP, FPP, recipes) share. The list grid SG1 with its row
// numbers, IDs, names and the deleted mark "***"; the buttons New / Edit /
// Delete / OK / Reset / Refresh / Close with their fixed flow; the delete
// question; and the end of OK (release, SetModified, refresh, beep).
//
// An editor derives from DefinitionForm, puts its detail controls (and the
// shared edtId / edtName) into detailLayout(), and answers the hooks below.
// Everything that differs between the kinds only as a text or a number is
// data in DefinitionKind.

#include <QString>
#include <cstdint>
#include <vector>

#include "editor/shell/form.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
struct TBIN_DLIST;
struct TTEXT_DLIST;

namespace zor::editor {

class StringGrid;

struct DefinitionKind {
    QString idHeader;      // SG1's ID column: "VID", "CEID", "ALID", "PPID", …
    QString namePrefix;    // New puts it into edtName: "EC_", "CE_", "PP_", …
    QString deletePrefix;  // the delete question starts with it: "変数ID = ", …
    int listMargin = 16;   // SG1 rows (header included) beyond the entries
    bool textIds = false;  // PP, FPP, RCP, TR: IDs are texts, not numbers
    // A refusal at OK ends the click (alarms). Otherwise the session is still
    // marked modified and the list refreshed, as after a set.
    bool refusalEndsOk = false;
};

// One row of the list grid.
struct DefinitionEntry {
    QString id;
    QString name;
};

class DefinitionForm : public Form {
    Q_OBJECT
  public:
    static const QString kDeletedMark;  // "***"

    // The button actions. Each runs inside runAction() when clicked, so a
    // conversion error (ActionError) ends it with the standard message.
    void btnRefreshClick();
    void btnNewClick();
    void btnEditClick();
    void btnDelClick();
    void btnOKClick();
    void btnResetClick();
    void btnCancelClick();
    void SG1DblClick();

    // The SG1 row last selected (by the user or the form); 0 for none.
    int currentListRow() const { return currentListRow_; }
    // Selects an SG1 row, which makes it the current list row.
    void selectListRow(int row);

    // Header, row numbers, empty ID and name cells; the row count stays.
    void clearList();
    // Re-fills SG1 from the kind's list: count + listMargin rows, one entry a
    // row, "***" in the ID cell of every deleted entry.
    void fillList();

    const DefinitionKind& kind() const { return kind_; }

    StringGrid* SG1;
    QLineEdit* edtId;
    QLineEdit* edtName;
    QPushButton* btnRefresh;
    QPushButton* btnDel;
    QPushButton* btnNew;
    QPushButton* btnEdit;
    QPushButton* btnOK;
    QPushButton* btnReset;
    QPushButton* btnCancel;

  protected:
    DefinitionForm(const QString& name, const QString& caption, const DefinitionKind& kind,
                   QWidget* parent = nullptr);

    // For a form whose kind changes while it lives (the variable editor's mode).
    void setKind(const DefinitionKind& kind);
    // Where the editor puts its detail area (right of SG1).
    QVBoxLayout* detailLayout() const { return detail_; }

    // The set-up when the form opens: select row 1, clear the list, clear the
    // detail, fill the list, select row 1 as the current list row.
    void openList();
    // The first activation: to the screen's top-left corner, then openList().
    void firstActivate() override;
    // The read-only help memo Memo1 under the detail, one line a text.
    QPlainTextEdit* makeHelpMemo(const QStringList& lines);
    // The button btnRecover "復活" the text-ID editors hold: never made
    // visible, so no user action reaches it.
    QPushButton* makeRecoverButton();
    // SetModified of the session menu (nothing when there is none).
    void markModified();

    // ---- hooks ------------------------------------------------------------
    // The kind's list, IDs as the list grid shows them.
    virtual std::vector<DefinitionEntry> listEntries() = 0;
    // The deleted flag of the entry whose ID cell reads `id`; false when the
    // get fails.
    virtual bool entryDeleted(const QString& id) = 0;
    // Empties the detail (Reset, and before New and Edit).
    virtual void clearDetail() = 0;
    // New's part before edtId is emptied, edtName gets the prefix and edtId
    // the focus. Clears the detail unless the kind needs more.
    virtual void newDetail() { clearDetail(); }
    // Edit, after clearDetail(): get the entry of `id` (the ID cell's text),
    // show it, release it and put the focus where the kind wants it.
    virtual void showEntry(const QString& id) = 0;
    // Delete: get the entry of `id`; when that worked set it again with its
    // deleted flag 1. Returns 0 when both calls returned 0.
    virtual int deleteEntry(const QString& id) = 0;
    // OK: zero the working record and validate and build it in the kind's
    // order. Returns an empty text when it is built, else the refusal text
    // the user sees; a text that must be a number and is not throws
    // ActionError. Whatever it allocated is freed by releaseRecord().
    virtual QString buildRecord() = 0;
    // Sets the built record in zoredit; negative on failure.
    virtual int storeRecord() = 0;
    // Frees what the working record holds; safe to call again.
    virtual void releaseRecord() = 0;

  private:
    DefinitionKind kind_;
    QVBoxLayout* detail_;
    int currentListRow_ = 0;
};

// Helpers for the hooks.
// The entries of a list function, numeric IDs in decimal.
std::vector<DefinitionEntry> binEntries(int (*listFn)(int, TBIN_DLIST**));
std::vector<DefinitionEntry> textEntries(int (*listFn)(int, TTEXT_DLIST**));
// The ID cell of a numeric kind as a number (ActionError when it is none).
int32_t idOf(const QString& cell);

}  // namespace zor::editor
