#include "editor/forms/formrcpset.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/forms/hidden_note.h"
#include "editor/forms/item_grid.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

TformRCPSet* formRCPSet = nullptr;

namespace {

DefinitionKind recipeKind() {
    DefinitionKind k;
    k.idHeader = QStringLiteral("RCPID");
    k.namePrefix = QStringLiteral("RCP_");
    k.deletePrefix = QStringLiteral("RCPID = ");
    k.textIds = true;
    return k;
}

}  // namespace

TformRCPSet::TformRCPSet(QWidget* parent)
    : RecordForm(QStringLiteral("formRCPSet"), QStringLiteral("レシピの設定"), recipeKind(),
                 parent) {
    SG1->setColumnWidth(0, 33);
    SG1->setColumnWidth(1, 144);
    SG1->setAccessibleName(QStringLiteral("レシピ一覧"));

    GroupBox1 = new QGroupBox(QStringLiteral("レシピ"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* boxes = new QGridLayout(GroupBox1);
    boxes->addWidget(makeLabel(QStringLiteral("Label1"), QStringLiteral("RCPID"), edtId), 0, 0);
    boxes->addWidget(edtId, 0, 1);
    boxes->addWidget(makeLabel(QStringLiteral("Label2"), QStringLiteral("名前"), edtName), 1, 0);
    boxes->addWidget(edtName, 1, 1);

    SG2 = new ItemGrid(QStringLiteral("SG2"), recipeItemLabels(), QStringLiteral("レシピの項目"),
                       this);
    SG2->setRowHeight(1, SG2->rowHeight(1) * 3 / 2);  // the body's row

    btnRecover = makeRecoverButton();
    detailLayout()->addWidget(GroupBox1);
    detailLayout()->addWidget(SG2, 1);
    detailLayout()->addWidget(SG2->hiddenNote);
    resize(900, 520);
}

void TformRCPSet::clearDetail() {
    SG2->clearItems();
    shown_ = {};
    edtId->clear();
    edtName->clear();
}

void TformRCPSet::showEntry(const QString& id) {
    lib::Record<TRCP_INFO> record;
    // A failed get shows nothing: the record holds no recipe then.
    if (getEntry(id, record.get()) == 0) {
        const RecipeView view = viewRecipe(*record);
        edtId->setText(view.detail.id);
        edtName->setText(view.detail.name);
        SG2->showItems(view.detail.items, view.hidden);
        shown_ = view.shown;
    }
    edtId->setFocus();
}

RecipeDetail TformRCPSet::detail() const { return {edtId->text(), edtName->text(), SG2->items()}; }

QString TformRCPSet::buildRecord() {
    record_.release();
    return buildRecipe(detail(), shown_, record_.get());
}

}  // namespace zor::editor
