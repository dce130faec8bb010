#include "editor/forms/formvset.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/forms/formcelist.h"
#include "editor/forms/formfmt.h"
#include "editor/forms/forml_v.h"
#include "editor/shell/action.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/library.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

TformVSet* formVSet = nullptr;

namespace {

// Per mode: list name prefix, form caption, caption of the ID group.
struct ModeTexts {
    const char* prefix;
    const char* caption;
    const char* group;
};
const ModeTexts kModes[] = {
    {"EC_", " EC情報の設定", "EC"},
    {"SV_", " SV情報の設定", "SV"},
    {"DV_", " DVVAL情報の設定", "DVVAL"},
};

const ModeTexts& modeTexts(int mode) { return kModes[mode >= 0 && mode <= 2 ? mode : 0]; }

DefinitionKind variableKind(int mode) {
    DefinitionKind k;
    k.idHeader = QStringLiteral("VID");
    k.namePrefix = QString::fromUtf8(modeTexts(mode).prefix);
    k.deletePrefix = QStringLiteral("変数ID = ");
    k.listMargin = 32;
    return k;
}

// Labels (column 1) and explanations (column 3) of SG2's rows 1 to 18.
struct DetailRow {
    const char* label;
    const char* note;
};
const DetailRow kDetailRows[] = {
    {"Format", "変数の型名(必須)"}, {"Size", "変数配列ｻｲｽﾞ(必須)"}, {"Units ", "単位名(省略可)"},
    {"Min", "最小値(省略可)"},      {"Max", "最大値(省略可)"},      {"Nominal", "初期値(省略可)"},
};
const DetailRow kLimitRows[] = {
    {"Limit-ID", "限界値-ID(数値、省略可)"},
    {"     -Low", "      -下限値"},
    {"     -Upper", "      -上限値"},
};
const DetailRow kCeidRow = {"CEID", "値変化時の通知CEID(省略可)"};

const char* const kHelpLines[] = {
    "Formatの設定値行のｾﾙをﾀﾞﾌﾞﾙｸﾘｯｸするとﾃﾞｰﾀｱｲﾃﾑ選択画面がﾎﾟｯﾌﾟｱｯﾌﾟされます。",
    "Format Aの場合、Nominal値設定の後、Sizeが更新されます。",
    "SV設定画面でCEID行のｾﾙをﾀﾞﾌﾞﾙｸﾘｯｸするとCEID選択画面がﾎﾟｯﾌﾟｱｯﾌﾟされます。",
};

// Rows of the VID grid are numbered "   1", "  12", " 123", " 1234".
QString vidRowNumber(int n) {
    const QString digits = QString::number(n);
    return QString(n < 10 ? 3 : n < 100 ? 2 : 1, u' ') + digits;
}

constexpr int kVidGridRows = 512;

}  // namespace

TformVSet::TformVSet(QWidget* parent)
    : DefinitionForm(QStringLiteral("formVSet"), QStringLiteral("EC 装置定数の設定"),
                     variableKind(kModeEc), parent) {
    btnRefresh->setToolTip(QStringLiteral("一覧表の表示を更新します。"));
    btnDel->setToolTip(QStringLiteral("現在行の変数を削除します。"));
    btnNew->setToolTip(QStringLiteral("新規に変数を定義します。"));
    btnEdit->setToolTip(QStringLiteral("現在選択されている変数を編集します。"));
    btnOK->setToolTip(QStringLiteral("管理情報領域に保存します。"));
    btnReset->setToolTip(QStringLiteral("全データをリセットします。"));
    btnCancel->setToolTip(QStringLiteral("変数設定画面を終了します。"));
    SG1->setToolTip(QStringLiteral("ｸﾘｯｸで選択、ﾀﾞﾌﾞﾙｸﾘｯｸで選択と編集ができます。"));

    GB = new QGroupBox(QStringLiteral("EC"), this);
    GB->setObjectName(QStringLiteral("GB"));
    auto* ids = new QHBoxLayout(GB);
    ids->addWidget(makeLabel(QStringLiteral("Label1"), QStringLiteral("変数ID"), edtId));
    ids->addWidget(edtId, 1);
    ids->addWidget(makeLabel(QStringLiteral("Label2"), QStringLiteral("名前"), edtName));
    ids->addWidget(edtName, 3);

    SG2 = new StringGrid(QStringLiteral("SG2"), 4, vrow::Count, this);
    SG2->setAccessibleName(QStringLiteral("変数情報"));
    SG2->setEditable(true);
    SG2->setToolTip(QStringLiteral("変数情報を設定します。"));
    SG2->setColumnWidth(0, 40);
    SG2->setColumnWidth(1, 90);
    SG2->setColumnWidth(2, 150);
    SG2->horizontalHeader()->setStretchLastSection(true);

    grList = new QGroupBox(QStringLiteral("　LIST ｱｲﾃﾑに含める変数ID設定操作"), this);
    grList->setObjectName(QStringLiteral("grList"));
    auto* btnEC = makeButton(QStringLiteral("btnEC"), QStringLiteral("EC参照"));
    auto* btnSV = makeButton(QStringLiteral("btnSV"), QStringLiteral("SV参照"));
    auto* btnDV = makeButton(QStringLiteral("btnDV"), QStringLiteral("DV参照"));
    auto* btnL_OK = makeButton(QStringLiteral("btnL_OK"), QStringLiteral("上書き"));
    auto* btnVIns = makeButton(QStringLiteral("btnVIns"), QStringLiteral("挿入"));
    auto* btnDelV = makeButton(QStringLiteral("btnDelV"), QStringLiteral("削除"));
    auto* btnLCancel = makeButton(QStringLiteral("btnLCancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnEC->setToolTip(QStringLiteral("装置定数の一覧表を表示します。"));
    btnSV->setToolTip(QStringLiteral("相対状態変数の一覧表を表示します。"));
    btnDV->setToolTip(QStringLiteral("データ値変数一覧表を表示します。"));
    btnL_OK->setToolTip(QStringLiteral("現在位置の行に変数を上書きします。"));
    btnVIns->setToolTip(QStringLiteral("現在行の前に変数を挿入します。"));
    btnDelV->setToolTip(QStringLiteral("現在行を削除します。"));
    btnLCancel->setToolTip(QStringLiteral("装置変数一覧表画面を閉じます。"));
    SG3 = new StringGrid(QStringLiteral("SG3"), 3, kVidGridRows, this);
    SG3->setAccessibleName(QStringLiteral("LIST ｱｲﾃﾑに含める変数ID"));
    SG3->setRowSelect(true);
    SG3->setToolTip(QStringLiteral("ｸﾘｯｸで上書き、挿入、削除行を選択します。"));
    SG3->setColumnWidth(0, 40);
    SG3->setColumnWidth(1, 60);
    SG3->horizontalHeader()->setStretchLastSection(true);
    auto* listButtons = new QGridLayout;
    int col = 0;
    for (QPushButton* b : {btnEC, btnSV, btnDV}) listButtons->addWidget(b, 0, col++);
    col = 0;
    for (QPushButton* b : {btnL_OK, btnVIns, btnDelV, btnLCancel})
        listButtons->addWidget(b, 1, col++);
    auto* listBox = new QVBoxLayout(grList);
    listBox->addLayout(listButtons);
    listBox->addWidget(SG3, 1);
    grList->setEnabled(false);

    QStringList help;
    for (const char* line : kHelpLines) help << QString::fromUtf8(line);
    Memo1 = makeHelpMemo(help);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);

    auto* grids = new QHBoxLayout;
    grids->addWidget(SG2, 3);
    grids->addWidget(grList, 2);
    detailLayout()->addWidget(GB);
    detailLayout()->addLayout(grids, 1);
    detailLayout()->addWidget(Memo1);
    resize(1240, 700);

    onClick(btnEC, this, [this] { btnECClick(); });
    onClick(btnSV, this, [this] { btnSVClick(); });
    onClick(btnDV, this, [this] { btnDVClick(); });
    onClick(btnL_OK, this, [this] { btnL_OKClick(); });
    onClick(btnVIns, this, [this] { btnVInsClick(); });
    onClick(btnDelV, this, [this] { btnDelVClick(); });
    onClick(btnLCancel, this, [this] { btnLCancelClick(); });
    connect(SG2, &StringGrid::cellDblClick, this,
            [this](int c, int r) { runAction(this, [=, this] { SG2DblClick(c, r); }); });
    connect(Timer1, &QTimer::timeout, this, [this] { runAction(this, [this] { Timer1Timer(); }); });
}

void TformVSet::firstActivate() {
    grList->setEnabled(false);
    moveTopLeft();
    Timer1->start();
}

void TformVSet::Timer1Timer() {
    Timer1->stop();
    selectListRow(1);
    edtId->clear();
    edtName->clear();
    applyMode();
    openList();
}

void TformVSet::applyMode() {
    setKind(variableKind(mode));
    setWindowTitle(QString::fromUtf8(modeTexts(mode).caption));
    GB->setTitle(QString::fromUtf8(modeTexts(mode).group));
}

void TformVSet::formClose() {
    Timer1->stop();
    closeVidPicker();
    grList->setEnabled(false);
    if (formVMenu) formVMenu->show();
}

// ---- the definition form's hooks ----------------------------------------------

std::vector<DefinitionEntry> TformVSet::listEntries() {
    return binEntries(lib::variableCalls(mode).list);
}

bool TformVSet::entryDeleted(const QString& id) {
    return lib::isDeleted(lib::variableCalls(mode), idOf(id));
}

void TformVSet::clearDetail() {
    clearVidGrid();
    SG2->setRowTexts(0, {QStringLiteral("番号"), QStringLiteral("項目名"), QStringLiteral("設定値"),
                         QStringLiteral("説明")});
    for (int row = 1; row < vrow::Count; ++row)
        SG2->setRowTexts(row, {rowNumberText(row, 4), QString(), QString(), QString()});
    auto label = [this](int row, const DetailRow& d) {
        SG2->setCell(1, row, QString::fromUtf8(d.label));
        SG2->setCell(3, row, QString::fromUtf8(d.note));
    };
    for (int i = 0; i < 6; ++i) label(vrow::Format + i, kDetailRows[i]);
    for (int g = 0; g < vrow::LimitGroups; ++g)
        for (int i = 0; i < 3; ++i) label(vrow::FirstLimit + 3 * g + i, kLimitRows[i]);
    if (mode == kModeSv)
        for (int i = 0; i < vrow::CeidRows; ++i) label(vrow::FirstCeid + i, kCeidRow);
    SG2->setCell(2, vrow::Size, QStringLiteral("1"));
}

void TformVSet::newDetail() {
    closeVidPicker();
    grList->setEnabled(false);
    vidList.clear();
    clearDetail();
    SG2->selectCell(2, vrow::Format);
}

void TformVSet::showEntry(const QString& id) {
    closeVidPicker();
    grList->setEnabled(false);
    lib::Record<TV_INFO> record;
    // A failed get shows nothing: the record holds no variable then.
    if (lib::variableCalls(mode).get(0, idOf(id), record.get()) == 0) showRecord(*record);
    SG2->setFocus();
    SG2->selectCell(2, vrow::Format);
}

int TformVSet::deleteEntry(const QString& id) {
    return lib::softDelete(lib::variableCalls(mode), idOf(id));
}

QString TformVSet::buildRecord() {
    VariableDetail d = detail();
    const QString refusal = buildVariable(d, vidList.vids(), record_.get());
    // OK's corrections stay in the grid, as the user will see them saved.
    SG2->setCell(2, vrow::Size, d.values[vrow::Size]);
    SG2->setCell(2, vrow::Nominal, d.values[vrow::Nominal]);
    return refusal;
}

int TformVSet::storeRecord() { return lib::variableCalls(mode).set(0, record_.get()); }

void TformVSet::releaseRecord() { record_.release(); }

// ---- the detail ------------------------------------------------------------------

VariableDetail TformVSet::detail() const {
    VariableDetail d;
    d.mode = mode;
    d.id = edtId->text();
    d.name = edtName->text();
    for (int row = 1; row < vrow::Count; ++row) d.values[row] = SG2->cell(2, row);
    return d;
}

void TformVSet::showRecord(const TV_INFO& record) {
    VariableView view;
    const QString refusal = viewVariable(record, &view);
    if (!refusal.isEmpty()) {
        seam().message(this, refusal);
        return;
    }
    edtName->setText(view.name);
    edtId->setText(view.id);
    for (int row = 1; row < vrow::Count; ++row) SG2->setCell(2, row, view.values[row]);
    grList->setEnabled(false);
    vidList.clear();
    if (!view.isList) {
        closeVidPicker();
        grList->setEnabled(false);
        SG3->selectGridRow(1);
        return;
    }
    vidList.assign(view.vids.data(), static_cast<int>(view.vids.size()));
    showVidList();
    grList->setEnabled(true);
    closeVidPicker();
    formL_V->kind = mode;
    formL_V->show();
}

void TformVSet::SG2DblClick(int col, int row) {
    if (col != 2) return;
    if (edtId->text().trimmed().isEmpty()) {
        seam().message(this, QStringLiteral(" 変数IDを入力してください。"));
        edtId->setFocus();
        return;
    }
    if (row == vrow::Format) {
        formFmt->symbol = SG2->cell(2, row);
        formFmt->showModal();
        if (formFmt->chosen != 1) return;
        SG2->setCell(2, row, formFmt->symbol);
        if (formFmt->symbol != QStringLiteral("L")) return;
        grList->setEnabled(true);
        closeVidPicker();
        formL_V->kind = mode;
        showVidList();
        formL_V->show();
        return;
    }
    // Only status variables notify CEs; the rows carry no label elsewhere.
    if (mode == kModeSv && row >= vrow::FirstCeid && row < vrow::FirstCeid + vrow::CeidRows) {
        const QString cell = SG2->cell(2, row).trimmed();
        formCElist->id = cell.isEmpty() ? 0 : toInt(cell);
        formCElist->showModal();
        SG2->setCell(2, row, formCElist->id != 0 ? QString::number(formCElist->id) : QString());
    }
}

// ---- the VID list ------------------------------------------------------------------

void TformVSet::clearVidGrid() {
    SG3->setRowCount(kVidGridRows);
    SG3->clearCells();
    SG3->setRowTexts(0, {QStringLiteral("番号"), QStringLiteral("VID"), QStringLiteral("名前")});
}

void TformVSet::showVidList() {
    clearVidGrid();
    const int count = vidList.count();
    if (count == 0) return;
    SG3->setRowCount(count + 10);
    for (int i = 0; i < count; ++i) {
        const int32_t vid = vidList.vids()[static_cast<size_t>(i)];
        SG3->setRowTexts(i + 1,
                         {vidRowNumber(i + 1), QString::number(vid), lib::variableName(vid)});
    }
    SG3->selectGridRow(1);
}

void TformVSet::vidListChanged() {
    showVidList();
    SG2->setCell(2, vrow::Nominal, QString::number(vidList.count()));
}

int TformVSet::vidRow() const { return SG3->currentGridRow(); }

int TformVSet::pickedVid() const { return formL_V && formL_V->opened ? formL_V->selectedVid : 0; }

void TformVSet::openVidPicker(int kind) {
    grList->setEnabled(true);
    closeVidPicker();
    formL_V->kind = kind;
    formL_V->show();
}

void TformVSet::closeVidPicker() {
    if (formL_V && formL_V->opened) formL_V->close();
}

void TformVSet::btnL_OKClick() {
    const int vid = pickedVid();
    if (vid == 0) return;
    const int row = vidRow();
    const bool replaces = row >= 1 && row <= vidList.count();
    if (!vidList.overwrite(row, vid)) {
        seam().message(this, vidListFullMessage());
        return;
    }
    vidListChanged();
    SG3->selectGridRow(replaces ? row : vidList.count() + 1);
}

void TformVSet::btnVInsClick() {
    const int vid = pickedVid();
    if (vid == 0) return;
    if (!vidList.insert(vidRow(), vid)) {
        seam().message(this, vidListFullMessage());
        return;
    }
    vidListChanged();
}

void TformVSet::btnDelVClick() {
    if (vidList.remove(vidRow())) vidListChanged();
}

void TformVSet::btnLCancelClick() { closeVidPicker(); }

}  // namespace zor::editor
