#include "editor/forms/formspset.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/forms/spool_record.h"
#include "editor/shell/action.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/helpers.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

TformSPSet* formSPSet = nullptr;

namespace {

constexpr int kMinGridRows = 31;

QString functionsText(const std::vector<int32_t>& functions) {
    QStringList texts;
    for (int32_t f : functions) texts << QStringLiteral("F%1").arg(f);
    return texts.join(QStringLiteral(", "));
}

}  // namespace

TformSPSet::TformSPSet(QWidget* parent)
    : Form(QStringLiteral("formSPSet"), QStringLiteral("スプールメッセージの設定"), parent) {
    btnDel = makeButton(QStringLiteral("btnDel"), QStringLiteral("全登録の削除"));
    btnDelStream = makeButton(QStringLiteral("btnDelStream"), QStringLiteral("指定ｽﾄﾘｰﾑ削除"));
    btnSet = makeButton(QStringLiteral("btnSet"), QStringLiteral("設定"));
    btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("閉じる"));
    btnCurrent = makeButton(QStringLiteral("btnCurrent"), QStringLiteral("現設定値表示"));
    btnAdd = makeButton(QStringLiteral("btnAdd"), QStringLiteral("Funciton追加-->"));
    btnReset = makeButton(QStringLiteral("btnReset"), QStringLiteral("Funcitonﾘｽﾄﾘｾｯﾄ"));
    edtS = makeEdit(QStringLiteral("edtS"));
    edtS->setText(QStringLiteral("2"));
    edtF = makeEdit(QStringLiteral("edtF"));
    edtF->setText(QStringLiteral("1"));

    SG1 = new StringGrid(QStringLiteral("SG1"), 2, kMinGridRows + 1, this);
    SG1->setFixed(0, 1);
    SG1->setRowSelect(true);
    // Wide enough for "  100" and "S127F255" in the editor's font.
    SG1->setColumnWidth(0, 44);
    SG1->setColumnWidth(1, 76);
    SG1->setFixedWidth(160);
    lbF = new QListWidget(this);
    lbF->setObjectName(QStringLiteral("lbF"));

    auto* top = new QHBoxLayout;
    for (QPushButton* b : {btnDel, btnDelStream, btnSet, btnCancel}) top->addWidget(b);
    top->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Label1"), QStringLiteral("登録済みﾒｯｾｰｼﾞ"), SG1));
    left->addWidget(SG1, 1);

    auto* middle = new QVBoxLayout;
    middle->addWidget(makeLabel(QStringLiteral("Label2"), QStringLiteral("Stream"), edtS));
    middle->addWidget(edtS);
    middle->addWidget(btnCurrent);
    middle->addSpacing(12);
    middle->addWidget(makeLabel(QStringLiteral("Label3"), QStringLiteral("Function"), edtF));
    middle->addWidget(edtF);
    middle->addWidget(btnAdd);
    middle->addWidget(
        makeLabel(QStringLiteral("Label4"), QStringLiteral("現設定に追加したい場合は、\n"
                                                           "現設定値表示ﾎﾞﾀﾝをｸﾘｯｸしてから\n"
                                                           "Functionを追加してください。")));
    middle->addStretch(1);
    middle->addWidget(btnReset);

    auto* right = new QVBoxLayout;
    right->addWidget(makeLabel(QStringLiteral("Label5"), QStringLiteral("Function ﾘｽﾄ"), lbF));
    right->addWidget(lbF, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(middle);
    body->addLayout(right, 1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addLayout(body, 1);

    onClick(btnDel, this, [this] { btnDelClick(); });
    onClick(btnDelStream, this, [this] { btnDelStreamClick(); });
    onClick(btnSet, this, [this] { btnSetClick(); });
    onClick(btnCancel, this, [this] { btnCancelClick(); });
    onClick(btnCurrent, this, [this] { btnCurrentClick(); });
    onClick(btnAdd, this, [this] { btnAddClick(); });
    onClick(btnReset, this, [this] { btnResetClick(); });
    resize(560, 600);
}

void TformSPSet::firstActivate() {
    setFunctions({});
    moveTopLeft();
    SG1->selectGridRow(1);
    fillGrid();
}

void TformSPSet::fillGrid() {
    const QStringList messages = registeredMessages();
    SG1->setRowCount(std::max(kMinGridRows, static_cast<int>(messages.size())) + 1);
    SG1->setRowTexts(0, {QStringLiteral("番号"), QStringLiteral("SxFy")});
    for (int row = 1; row < SG1->rowCount(); ++row)
        SG1->setRowTexts(row, {QStringLiteral("  ") + QString::number(row),
                               row <= messages.size() ? messages[row - 1] : QString()});
}

void TformSPSet::setFunctions(std::vector<int32_t> functions) {
    functions_ = std::move(functions);
    lbF->clear();
    for (int32_t f : functions_) lbF->addItem(QString::number(f));
}

void TformSPSet::markModified() {
    if (formVMenu) formVMenu->SetModified();
}

bool TformSPSet::typedStream(int* stream) {
    const QString refusal = readStream(edtS->text(), stream);
    if (refusal.isEmpty()) return true;
    seam().message(this, refusal);
    return false;
}

void TformSPSet::btnAddClick() {
    std::vector<int32_t> list = functions_;
    const QString refusal = addFunction(edtS->text(), edtF->text(), &list);
    if (!refusal.isEmpty()) {
        seam().message(this, refusal);
        return;
    }
    setFunctions(std::move(list));
}

void TformSPSet::btnCurrentClick() {
    int stream = 0;
    if (!typedStream(&stream)) return;
    std::vector<int32_t> held;
    if (!spoolFunctions(stream, &held)) {
        seam().message(this, QStringLiteral("現設定情報を取得できませんでした。"));
        return;
    }
    setFunctions(std::move(held));
}

void TformSPSet::btnSetClick() {
    int stream = 0;
    if (!typedStream(&stream)) return;
    // Set without the current setting loaded first: say what would go.
    std::vector<int32_t> held;
    spoolFunctions(stream, &held);
    const std::vector<int32_t> dropped = droppedBy(functions_, held);
    if (!dropped.empty() &&
        !seam().ask(this, QStringLiteral("ｽﾄﾘｰﾑ%1の現設定の %2 はFunctionﾘｽﾄにありません。\n"
                                         "Functionﾘｽﾄで置き換えますか？")
                              .arg(stream)
                              .arg(functionsText(dropped))))
        return;
    if (GemSetSpoolInfo(0, stream, static_cast<int>(functions_.size()), functions_.data()) < 0) {
        seam().message(this, QStringLiteral("設定できませんでした。"));
        return;
    }
    fillGrid();
    markModified();
    EditBeep(1);
}

void TformSPSet::btnDelStreamClick() {
    int stream = 0;
    if (!typedStream(&stream)) return;
    if (!seam().ask(this, QStringLiteral("ｽﾄﾘｰﾑ%1の登録を削除しますか？").arg(stream))) return;
    GemResetSpoolInfo(0, stream);  // a stream without a setting has nothing to lose
    markModified();
    fillGrid();
    EditBeep(1);
}

void TformSPSet::btnDelClick() {
    if (!seam().ask(this, QStringLiteral("全ｽﾄﾘｰﾑの登録を削除しますか？"))) return;
    GemResetAllSpoolInfo(0);
    markModified();
    fillGrid();
    EditBeep(1);
}

void TformSPSet::btnResetClick() { setFunctions({}); }

void TformSPSet::btnCancelClick() { close(); }

}  // namespace zor::editor
