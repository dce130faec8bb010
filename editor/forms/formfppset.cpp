#include "editor/forms/formfppset.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/forms/hidden_note.h"
#include "editor/forms/item_grid.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

TformFPPSet* formFPPSet = nullptr;

namespace {

DefinitionKind fppKind() {
    DefinitionKind k;
    k.idHeader = QStringLiteral("FPPID");
    k.namePrefix = QStringLiteral("FPP_");
    k.deletePrefix = QStringLiteral("FPPID = ");
    k.textIds = true;
    return k;
}

}  // namespace

TformFPPSet::TformFPPSet(QWidget* parent)
    : RecordForm(QStringLiteral("formFPPSet"), QStringLiteral("FPP書式付プロセスプログラムの設定"),
                 fppKind(), parent) {
    SG1->setColumnWidth(0, 33);
    SG1->setColumnWidth(1, 143);
    SG1->setAccessibleName(QStringLiteral("書式付プロセスプログラム一覧"));

    GroupBox1 = new QGroupBox(QStringLiteral("書式付PPID"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* boxes = new QGridLayout(GroupBox1);
    boxes->addWidget(makeLabel(QStringLiteral("Label1"), QStringLiteral("PPID"), edtId), 0, 0);
    boxes->addWidget(edtId, 0, 1);
    boxes->addWidget(makeLabel(QStringLiteral("Label2"), QStringLiteral("名前"), edtName), 1, 0);
    boxes->addWidget(edtName, 1, 1);

    SG2 = new ItemGrid(QStringLiteral("SG2"), fppItemLabels(), QStringLiteral("書式付PPIDの項目"),
                       this);

    btnRecover = makeRecoverButton();
    detailLayout()->addWidget(GroupBox1);
    detailLayout()->addWidget(SG2, 1);
    detailLayout()->addWidget(SG2->hiddenNote);
    resize(900, 640);
}

void TformFPPSet::clearDetail() {
    SG2->clearItems();
    shownCodes_.clear();
    edtId->clear();
    edtName->clear();
}

void TformFPPSet::showEntry(const QString& id) {
    lib::Record<TFPP_INFO> record;
    // A failed get shows nothing: the record holds no program then.
    if (getEntry(id, record.get()) == 0) {
        const FppView view = viewFpp(*record);
        edtId->setText(view.detail.id);
        edtName->setText(view.detail.name);
        SG2->showItems(view.detail.items, view.hidden);
        shownCodes_ = view.codes;
    }
    edtId->setFocus();
}

FppDetail TformFPPSet::detail() const { return {edtId->text(), edtName->text(), SG2->items()}; }

QString TformFPPSet::buildRecord() {
    record_.release();
    return buildFpp(detail(), shownCodes_, record_.get());
}

}  // namespace zor::editor
