#include "editor/forms/definition_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "editor/shell/action.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/helpers.h"
#include "editor/shell/library.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

const QString DefinitionForm::kDeletedMark = QStringLiteral("***");

namespace {

// Frees the working record on every way out of OK, a thrown conversion
// error included.
class ReleaseOnExit {
  public:
    explicit ReleaseOnExit(std::function<void()> release) : release_(std::move(release)) {}
    ~ReleaseOnExit() { release_(); }
    ReleaseOnExit(const ReleaseOnExit&) = delete;
    ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;

  private:
    std::function<void()> release_;
};

}  // namespace

DefinitionForm::DefinitionForm(const QString& name, const QString& caption,
                               const DefinitionKind& kind, QWidget* parent)
    : Form(name, caption, parent), kind_(kind) {
    btnRefresh = makeButton(QStringLiteral("btnRefresh"), QStringLiteral("更新"));
    btnDel = makeButton(QStringLiteral("btnDel"), QStringLiteral("削除"));
    btnNew = makeButton(QStringLiteral("btnNew"), QStringLiteral("新規"));
    btnEdit = makeButton(QStringLiteral("btnEdit"), QStringLiteral("編集"));
    btnOK = makeButton(QStringLiteral("btnOK"), QStringLiteral("確定"));
    btnReset = makeButton(QStringLiteral("btnReset"), QStringLiteral("全ﾃﾞｰﾀﾘｾｯﾄ"));
    btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("閉じる"));
    edtId = makeEdit(QStringLiteral("edtId"));
    edtName = makeEdit(QStringLiteral("edtName"));

    SG1 = new StringGrid(QStringLiteral("SG1"), 3, kind_.listMargin, this);
    SG1->setAccessibleName(QStringLiteral("一覧"));
    SG1->setRowSelect(true);
    SG1->setColumnWidth(0, 40);
    SG1->setColumnWidth(1, 80);
    SG1->horizontalHeader()->setStretchLastSection(true);
    SG1->setFixedWidth(340);  // an editor may widen it for long text IDs

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btnRefresh, btnDel, btnNew, btnEdit, btnOK, btnReset, btnCancel})
        buttons->addWidget(b);
    buttons->addStretch();
    detail_ = new QVBoxLayout;
    auto* body = new QHBoxLayout;
    body->addWidget(SG1);
    body->addLayout(detail_, 1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(buttons);
    root->addLayout(body, 1);

    onClick(btnRefresh, this, [this] { btnRefreshClick(); });
    onClick(btnDel, this, [this] { btnDelClick(); });
    onClick(btnNew, this, [this] { btnNewClick(); });
    onClick(btnEdit, this, [this] { btnEditClick(); });
    onClick(btnOK, this, [this] { btnOKClick(); });
    onClick(btnReset, this, [this] { btnResetClick(); });
    onClick(btnCancel, this, [this] { btnCancelClick(); });
    connect(SG1, &StringGrid::rowSelected, this, [this](int row) { currentListRow_ = row; });
    connect(SG1, &StringGrid::cellDblClick, this, [this](int, int row) {
        if (row < 1) return;
        currentListRow_ = row;
        runAction(this, [this] { SG1DblClick(); });
    });
}

void DefinitionForm::setKind(const DefinitionKind& kind) { kind_ = kind; }

void DefinitionForm::selectListRow(int row) {
    SG1->selectGridRow(row);
    currentListRow_ = row;
}

void DefinitionForm::clearList() {
    SG1->setRowTexts(0, {QStringLiteral("番号"), kind_.idHeader, QStringLiteral("名前")});
    for (int row = 1; row < SG1->rowCount(); ++row)
        SG1->setRowTexts(row, {rowNumberText(row, 4), QString(), QString()});
}

void DefinitionForm::fillList() {
    const std::vector<DefinitionEntry> entries = listEntries();
    SG1->setRowCount(static_cast<int>(entries.size()) + kind_.listMargin);
    clearList();
    for (size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        SG1->setCell(1, row, entries[i].id);
        SG1->setCell(2, row, entries[i].name);
    }
    for (int row = 1; row < SG1->rowCount(); ++row) {
        const QString id = SG1->cell(1, row);
        if (id.isEmpty()) break;
        if (entryDeleted(id)) SG1->setCell(1, row, kDeletedMark);
    }
}

void DefinitionForm::openList() {
    selectListRow(1);
    clearList();
    clearDetail();
    fillList();
    selectListRow(1);
}

void DefinitionForm::firstActivate() {
    moveTopLeft();
    openList();
}

QPlainTextEdit* DefinitionForm::makeHelpMemo(const QStringList& lines) {
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setAccessibleName(QStringLiteral("説明"));
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setPlainText(lines.join(u'\n'));
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * (lines.size() + 1) + 10);
    return memo;
}

QPushButton* DefinitionForm::makeRecoverButton() {
    QPushButton* button = makeButton(QStringLiteral("btnRecover"), QStringLiteral("復活"));
    button->hide();
    return button;
}

void DefinitionForm::markModified() {
    if (formVMenu) formVMenu->SetModified();
}

void DefinitionForm::btnRefreshClick() {
    clearList();
    fillList();
    EditBeep(1);
}

void DefinitionForm::btnNewClick() {
    newDetail();
    edtId->clear();
    edtName->setText(kind_.namePrefix);
    edtId->setFocus();
    EditBeep(1);
}

void DefinitionForm::btnEditClick() {
    const int row = currentListRow_;
    if (row < 1) return;
    const QString id = SG1->cell(1, row);
    if (id.trimmed().isEmpty() || id.trimmed() == kDeletedMark) return;
    clearDetail();
    showEntry(id);
    EditBeep(1);
}

void DefinitionForm::SG1DblClick() { btnEditClick(); }

void DefinitionForm::btnDelClick() {
    const int row = currentListRow_;
    if (row < 1) return;
    const QString cell = SG1->cell(1, row);
    if (cell.trimmed().isEmpty()) return;
    // A deleted entry cannot be deleted again. Under a text ID the mark would
    // only be asked about and then found nowhere, so nothing happens; a
    // numeric ID cell holding it stops below with the conversion message.
    if (kind_.textIds && cell.trimmed() == kDeletedMark) return;
    const QString id = kind_.textIds ? cell : QString::number(idOf(cell));
    const QString question = kind_.deletePrefix + id + QStringLiteral(" 名前=") +
                             SG1->cell(2, row) + QStringLiteral("を削除しますか？");
    if (!seam().ask(this, question)) return;
    if (deleteEntry(id) == 0) SG1->setCell(1, row, kDeletedMark);
    markModified();
    btnRefreshClick();
    EditBeep(1);
}

void DefinitionForm::btnOKClick() {
    ReleaseOnExit release([this] { releaseRecord(); });
    const QString refusal = buildRecord();
    if (!refusal.isEmpty()) {
        seam().message(this, refusal);
        if (kind_.refusalEndsOk) return;
    } else {
        const int duplicate = kind_.textIds ? CheckDuplicateTextId(edtId, edtName, SG1)
                                            : CheckDuplicateId(edtId, edtName, SG1);
        if (duplicate == 0 && storeRecord() < 0) {
            // The library says which field it could not take; the user can mend it.
            QString message = QStringLiteral("!! 設定できませんでした。");
            const QString reason = lib::lastError();
            if (!reason.isEmpty()) message += QLatin1Char('\n') + reason;
            seam().message(this, message);
        }
    }
    releaseRecord();
    markModified();
    btnRefreshClick();
    EditBeep(1);
}

void DefinitionForm::btnResetClick() {
    clearDetail();
    EditBeep(1);
}

void DefinitionForm::btnCancelClick() { close(); }

std::vector<DefinitionEntry> binEntries(int (*listFn)(int, TBIN_DLIST**)) {
    std::vector<DefinitionEntry> out;
    for (const lib::IdName& e : lib::binList(listFn))
        out.push_back({QString::number(e.id), e.name});
    return out;
}

std::vector<DefinitionEntry> textEntries(int (*listFn)(int, TTEXT_DLIST**)) {
    std::vector<DefinitionEntry> out;
    for (const lib::TextIdName& e : lib::textList(listFn)) out.push_back({e.id, e.name});
    return out;
}

int32_t idOf(const QString& cell) { return toInt(cell.trimmed()); }

}  // namespace zor::editor
