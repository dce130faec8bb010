#include "editor/forms/id_picker.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/shell/action.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

IdPicker::IdPicker(const QString& name, const QString& caption, const QStringList& header,
                   QWidget* parent)
    : Form(name, caption, parent), header_(header) {
    SG = new StringGrid(QStringLiteral("SG"), static_cast<int>(header.size()), 2, this);
    SG->setAccessibleName(caption);
    SG->setRowSelect(true);
    SG->setRowTexts(0, header_);
    SG->horizontalHeader()->setStretchLastSection(true);
    auto* btnOK = makeButton(QStringLiteral("btnOK"), QStringLiteral("確定"));
    auto* btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout_ = new QVBoxLayout(this);
    layout_->addWidget(SG, 1);
    layout_->addLayout(buttons);
    resize(480, 420);

    onClick(btnOK, this, [this] { btnOKClick(); });
    onClick(btnCancel, this, [this] { btnCancelClick(); });
    connect(SG, &StringGrid::cellDblClick, this,
            [this](int col, int row) { runAction(this, [=, this] { SGDblClick(col, row); }); });
    connect(SG, &StringGrid::rowSelected, this, [this](int row) { chosenRow = row; });
}

void IdPicker::fill() {
    const std::vector<lib::IdName> list = entries();
    SG->clearCells();
    SG->setRowTexts(0, header_);
    if (list.empty()) {
        SG->setRowCount(2);
        SG->setCell(1, 1, QStringLiteral("(none)"));
        SG->selectGridRow(1);
        chosenRow = 1;
        return;
    }
    const int count = static_cast<int>(list.size());
    SG->setRowCount(count + 1);
    for (int i = 0; i < count; ++i) {
        QStringList texts{QStringLiteral(" ") + QString::number(i + 1),
                          QStringLiteral("  ") + QString::number(list[i].id), list[i].name};
        if (header_.size() > 3) texts << extraText(list[i]);
        SG->setRowTexts(i + 1, texts);
    }
    SG->resizeColumnsToContents();
    int row = 1;
    if (id != 0) {
        for (int r = 1; r <= count; ++r) {
            bool ok = false;
            if (SG->cell(1, r).trimmed().toInt(&ok) == id && ok) {
                row = r;
                break;
            }
        }
    }
    SG->selectGridRow(row);
    chosenRow = row;
}

int32_t IdPicker::pick(int32_t preset) {
    id = preset;
    showModal();
    return id;
}

void IdPicker::btnOKClick() {
    id = toInt(SG->cell(1, chosenRow).trimmed());
    close();
}

void IdPicker::btnCancelClick() { close(); }

void IdPicker::SGDblClick(int, int row) {
    if (row < 1) return;
    chosenRow = row;
    btnOKClick();
}

}  // namespace zor::editor
