#include "editor/forms/forml_v.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/forms/formvset.h"
#include "editor/forms/id_picker.h"
#include "editor/shell/action.h"
#include "editor/shell/library.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

TformL_V* formL_V = nullptr;

TformL_V::TformL_V(QWidget* parent)
    : Form(QStringLiteral("formL_V"), QStringLiteral("List　ｱｲﾃﾑに含める変数選択"), parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    SG1 = new StringGrid(QStringLiteral("SG1"), 3, kMinRows, this);
    SG1->setAccessibleName(QStringLiteral("変数選択"));
    SG1->setRowSelect(true);
    SG1->setToolTip(QStringLiteral("選択して、上書き、挿入ﾎﾞﾀﾝをｸﾘｯｸします。"));
    SG1->horizontalHeader()->setStretchLastSection(true);
    auto* btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("閉じる"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SG1, 1);
    layout->addWidget(btnCancel, 0, Qt::AlignRight);
    resize(320, 560);

    onClick(btnCancel, this, [this] { btnCancelClick(); });
    connect(SG1, &StringGrid::rowSelected, this,
            [this](int row) { runAction(this, [=, this] { SG1Select(row); }); });
}

void TformL_V::firstActivate() {
    opened = 1;
    // Beside the variable editor's VID grid: right edge at its left edge.
    int x = 0;
    if (formVSet) {
        QWidget* grid = formVSet->findChild<QWidget*>(QStringLiteral("SG3"));
        QPoint left = grid ? grid->mapToGlobal(QPoint(0, 0)) : formVSet->pos();
        x = std::max(0, left.x() - frameGeometry().width());
    }
    move(x, 150);
    fill();
    SG1->selectGridRow(1);
    SG1Select(1);
}

void TformL_V::fill() {
    const std::vector<lib::IdName> list = liveEntries(lib::variableCalls(kind));
    const int count = static_cast<int>(list.size());
    SG1->setRowCount(std::max(count + 1, kMinRows));
    SG1->clearCells();
    SG1->setRowTexts(0, {QStringLiteral("番号"), QStringLiteral("VID"), QStringLiteral("名前")});
    for (int row = 1; row < SG1->rowCount(); ++row) SG1->setCell(0, row, rowNumberText(row));
    for (int i = 0; i < count; ++i) {
        SG1->setCell(1, i + 1, QString::number(list[i].id));
        SG1->setCell(2, i + 1, list[i].name);
    }
    SG1->resizeColumnsToContents();
}

void TformL_V::SG1Select(int row) {
    const QString cell = SG1->cell(1, row).trimmed();
    selectedVid = cell.isEmpty() ? 0 : toInt(cell);
}

void TformL_V::btnCancelClick() { close(); }

void TformL_V::formClose() { opened = 0; }

}  // namespace zor::editor
