#include "editor/shell/formcgrid.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/shell/action.h"
#include "editor/shell/cnf_file.h"
#include "editor/shell/env_keys.h"
#include "editor/shell/formeqconf.h"
#include "editor/shell/formmain.h"
#include "editor/shell/helpers.h"
#include "editor/shell/library.h"
#include "editor/shell/seam.h"
#include "editor/shell/string_grid.h"
#include "zoredit/zoredit.h"

namespace zor::editor {

TformCGrid* formCGrid = nullptr;

namespace {
constexpr int kGridCols = 4;
constexpr int kGridRows = 30;
}  // namespace

TformCGrid::TformCGrid(QWidget* parent)
    : Form(QStringLiteral("formCGrid"), QStringLiteral("VUVIVA-DOV 装置起動情報設定"), parent) {
    edtFile = makeEdit(QStringLiteral("edtFile"));
    auto* label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("ﾌｧｲﾙ名"), edtFile);
    SG = new StringGrid(QStringLiteral("SG"), kGridCols, kGridRows, this);
    SG->setAccessibleName(QStringLiteral("装置起動情報"));
    SG->setFixed(2, 1);
    SG->setEditable(true);
    SG->setSelectionMode(QAbstractItemView::ContiguousSelection);
    SG->setColumnWidth(0, 48);
    SG->setColumnWidth(1, 130);
    SG->setColumnWidth(2, 260);
    SG->horizontalHeader()->setStretchLastSection(true);
    auto* btnSave = makeButton(QStringLiteral("btnSave"), QStringLiteral("保存"));
    auto* btnSaveAs = makeButton(QStringLiteral("btnSaveAs"), QStringLiteral("新規保存"));
    auto* btnEditor = makeButton(QStringLiteral("btnEditor"), QStringLiteral("ｴﾃﾞｨﾀ-で確認"));
    auto* btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));

    auto* file = new QHBoxLayout;
    file->addWidget(label1);
    file->addWidget(edtFile, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btnSave, btnSaveAs, btnEditor}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file);
    layout->addWidget(SG, 1);
    layout->addLayout(buttons);
    resize(860, 720);

    onClick(btnSave, this, [this] { btnSaveClick(); });
    onClick(btnSaveAs, this, [this] { btnSaveAsClick(); });
    onClick(btnEditor, this, [this] { btnEditorClick(); });
    onClick(btnCancel, this, [this] { btnCancelClick(); });
}

void TformCGrid::firstActivate() {
    const int type = formEqConf->softType;
    moveTopLeft();
    setWindowTitle(gridCaption(type));
    buildGrid(type);
    edtFile->setText(filePath);
    runAction(this, [this, type] { loadFile(type); });
}

void TformCGrid::buildGrid(int type) {
    SG->clearCells();
    SG->setRowTexts(0, {QStringLiteral("番号"), QStringLiteral("ｺﾏﾝﾄﾞ"), QStringLiteral("設定値"),
                        QStringLiteral("ｺﾏﾝﾄﾞの意味")});
    for (int row = 1; row < SG->rowCount(); ++row) SG->setCell(0, row, rowNumberText(row, 3));
    const QList<EnvKey> keys = envKeys(type);
    for (int i = 0; i < keys.size() && i + 1 < SG->rowCount(); ++i) {
        SG->setCell(1, i + 1, keys[i].key);
        SG->setCell(3, i + 1, keys[i].explanation);
    }
}

void TformCGrid::loadFile(int type) {
    const QString path = filePath.trimmed();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        seam().message(this, QStringLiteral("新規ファイルの作成を行います。"));
        return;
    }
    if (lib::setupEquipment(path, &errorText) < 0) {
        seam().message(
            this, QStringLiteral("File : ") + path + QStringLiteral(" エラー") + u' ' + errorText);
        return;
    }
    eqMgr = lib::equipmentSettings();
    if (!eqMgr) return;
    // The ZOREng4 engine always runs on the equipment side.
    if (type == 1) eqMgr->comm_side = 1;
    const QStringList values = envValues(type, *eqMgr);
    for (int i = 0; i < values.size() && i + 1 < SG->rowCount(); ++i)
        SG->setCell(2, i + 1, values[i]);
}

void TformCGrid::btnSaveClick() {
    const QString path = edtFile->text().trimmed();
    if (path.isEmpty()) {
        seam().message(this, QStringLiteral("ﾌｧｲﾙ名を設定してください。"));
        return;
    }
    filePath = path;
    writeCnfFile(filePath, *SG);
    EditBeep(1);
}

void TformCGrid::btnSaveAsClick() {
    QFileInfo current(filePath);
    FileRequest request{QString(), filePath.isEmpty() ? QString() : current.absolutePath(),
                        current.fileName(), QStringLiteral("装置環境定義ﾌｧｲﾙ(*.cnf)|*.cnf")};
    QString path = seam().saveFile(this, request);
    if (path.isEmpty()) return;
    filePath = path;
    edtFile->setText(path);
    writeCnfFile(filePath, *SG);
    EditBeep(1);
}

void TformCGrid::btnEditorClick() { openInTextEditor(this, edtFile->text()); }

void TformCGrid::btnCancelClick() { close(); }

void TformCGrid::formClose() { formMain->show(); }

}  // namespace zor::editor
