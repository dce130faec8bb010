#include "editor/forms/formfmt.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/shell/action.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

TformFmt* formFmt = nullptr;

namespace {

QStringList formatMeanings() {
    const QString signed1 = QStringLiteral("1ﾊﾞｲﾄ符号付整数");
    const QString unsigned1 = QStringLiteral("1ﾊﾞｲﾄ符号無し整数");
    // The wider integers differ from the 1-byte texts only in the digit.
    auto width = [](QString text, char digit) { return text.replace(0, 1, QLatin1Char(digit)); };
    return {QStringLiteral("ﾘｽﾄ"),
            QStringLiteral("2進"),
            QStringLiteral("真理値"),
            QStringLiteral("ASCII"),
            QStringLiteral("JIS-8"),
            signed1,
            QStringLiteral("2ﾊﾞｲﾄ符号付整数"),
            QStringLiteral("4ﾊﾞｲﾄ符号付整数"),
            width(signed1, '8'),
            unsigned1,
            width(unsigned1, '2'),
            width(unsigned1, '4'),
            width(unsigned1, '8'),
            QStringLiteral("4ﾊﾞｲﾄ不動小数点"),
            QStringLiteral("8ﾊﾞｲﾄ不動小数点")};
}

const char* const kSymbols[] = {"L",  "B",  "BOOL", "A",  "J",  "I1", "I2", "I4",
                                "I8", "U1", "U2",   "U4", "U8", "F4", "F8"};

}  // namespace

TformFmt::TformFmt(QWidget* parent)
    : Form(QStringLiteral("formFmt"), QStringLiteral("Format選択"), parent) {
    SG = new StringGrid(QStringLiteral("SG"), 2, 17, this);
    SG->setAccessibleName(windowTitle());
    SG->setFixed(0, 1);
    SG->setRowSelect(true);
    SG->horizontalHeader()->setStretchLastSection(true);
    SG->setRowTexts(0, {QStringLiteral("  記号"), QStringLiteral("意味")});
    const QStringList meanings = formatMeanings();
    for (int i = 0; i < meanings.size(); ++i)
        SG->setRowTexts(i + 1,
                        {QStringLiteral("  ") + QString::fromLatin1(kSymbols[i]), meanings[i]});

    auto* btnOK = makeButton(QStringLiteral("btnOK"), QStringLiteral("確定"));
    auto* btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SG, 1);
    layout->addLayout(buttons);
    resize(360, 520);

    onClick(btnOK, this, [this] { btnOKClick(); });
    onClick(btnCancel, this, [this] { btnCancelClick(); });
    connect(SG, &StringGrid::rowSelected, this, [this](int row) { chosenRow = row; });
    connect(SG, &StringGrid::cellDblClick, this, [this](int, int row) {
        if (row < 1) return;
        chosenRow = row;
        btnOKClick();
    });
}

void TformFmt::formActivate() {
    chosen = 0;
    int row = 1;
    // An empty preset would find the empty last row; it means "none yet".
    for (int r = 1; r <= 16 && !symbol.isEmpty(); ++r) {
        if (SG->cell(0, r).trimmed() == symbol) {
            row = r;
            break;
        }
    }
    SG->selectGridRow(row);
    chosenRow = row;
}

void TformFmt::btnOKClick() {
    symbol = SG->cell(0, chosenRow).trimmed();
    chosen = 1;
    close();
}

void TformFmt::btnCancelClick() { close(); }

}  // namespace zor::editor
