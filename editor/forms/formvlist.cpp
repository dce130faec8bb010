#include "editor/forms/formvlist.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/shell/action.h"
#include "zoredit/zoredit.h"

namespace zor::editor {

TformVlist* formVlist = nullptr;

TformVlist::TformVlist(QWidget* parent)
    : IdPicker(QStringLiteral("formVlist"), QStringLiteral("変数 ID選択"),
               {QStringLiteral(" 番号"), QStringLiteral("  VID"), QStringLiteral("名前"),
                QStringLiteral("初期値")},
               parent) {
    CB = new QComboBox(this);
    CB->setObjectName(QStringLiteral("CB"));
    CB->addItems({QStringLiteral("EC 定数"), QStringLiteral("SV 状態変数"),
                  QStringLiteral("DVVAL ﾃﾞｰﾀ変数")});
    CB->setCurrentIndex(1);
    auto* label = makeLabel(QStringLiteral("Label1"), QStringLiteral("変数選択"), CB);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(CB);
    row->addStretch();
    layout_->insertLayout(0, row);
    connect(CB, &QComboBox::activated, this, [this] { runAction(this, [this] { CBChange(); }); });
}

void TformVlist::formActivate() {
    kind = CB->currentIndex();
    fill();
}

void TformVlist::CBChange() {
    kind = CB->currentIndex();
    fill();
}

std::vector<lib::IdName> TformVlist::entries() { return liveEntries(lib::variableCalls(kind)); }

QString TformVlist::extraText(const lib::IdName& entry) {
    lib::Record<TV_INFO> info;
    if (lib::variableCalls(kind).get(0, entry.id, info.get()) != 0) return {};
    return lib::valueText(info->format, info->nominal);
}

}  // namespace zor::editor
