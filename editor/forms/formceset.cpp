#include "editor/forms/formceset.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "editor/forms/ce_record.h"
#include "editor/forms/formrplist.h"
#include "editor/forms/link_grid.h"
#include "editor/forms/link_names.h"
#include "editor/forms/record_fields.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

TformCESet* formCESet = nullptr;

namespace {

DefinitionKind ceKind() {
    DefinitionKind k;
    k.idHeader = QStringLiteral("CEID");
    k.namePrefix = QStringLiteral("CE_");
    k.deletePrefix = QStringLiteral("CEID = ");
    return k;
}

LinkKind reportLinks() {
    LinkKind k;
    k.rows = 1023;
    k.editable = false;
    k.header = {QStringLiteral("番号"), QStringLiteral("ﾚﾎﾟｰﾄID"), QStringLiteral("ﾚﾎﾟｰﾄID名")};
    k.pick = [](int32_t preset) { return formRPlist->pick(preset); };
    k.name = reportLinkName;
    return k;
}

}  // namespace

TformCESet::TformCESet(QWidget* parent)
    : RecordForm(QStringLiteral("formCESet"), QStringLiteral("CE収集イベントの設定"), ceKind(),
                 parent) {
    GroupBox1 = new QGroupBox(QStringLiteral("CE 収集ｲﾍﾞﾝﾄ"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    CB = new QComboBox(this);
    CB->setObjectName(QStringLiteral("CB"));
    CB->addItems({QStringLiteral("Disable"), QStringLiteral("Enable")});
    auto* ids = new QHBoxLayout(GroupBox1);
    ids->addWidget(makeLabel(QStringLiteral("Label1"), QStringLiteral("CEID"), edtId));
    ids->addWidget(edtId, 1);
    ids->addWidget(makeLabel(QStringLiteral("Label2"), QStringLiteral("CE名"), edtName));
    ids->addWidget(edtName, 3);
    ids->addWidget(makeLabel(QStringLiteral("Label3"), QStringLiteral("CEED"), CB));
    ids->addWidget(CB);

    SG2 = new LinkGrid(QStringLiteral("SG2"), reportLinks(), this);
    SG2->setAccessibleName(QStringLiteral("ﾚﾎﾟｰﾄID"));
    SG2->setToolTip(QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸでﾚﾎﾟｰﾄIDを選択、Deleteｷｰで行を空けます。"));

    Memo1 = makeHelpMemo({QStringLiteral("ﾚﾎﾟｰﾄID欄のｾﾙをﾀﾞﾌﾞﾙｸﾘｯｸするとﾚﾎﾟｰﾄID選択画面が"),
                          QStringLiteral("ﾎﾟｯﾌﾟｱｯﾌﾟされます。")});

    SG1->setAccessibleName(QStringLiteral("CE一覧"));
    detailLayout()->addWidget(GroupBox1);
    detailLayout()->addWidget(SG2, 1);
    detailLayout()->addWidget(SG2->hiddenNote);
    detailLayout()->addWidget(Memo1);
    resize(900, 600);
}

void TformCESet::clearDetail() {
    SG2->clearLinks();
    edtId->clear();
    edtName->clear();
    CB->setCurrentIndex(1);
}

void TformCESet::showEntry(const QString& id) {
    lib::Record<TCE_INFO> record;
    if (lib::kCeCalls.get(0, idOf(id), record.get()) == 0) {
        edtId->setText(QString::number(record->ceid));
        edtName->setText(fromSjis(record->name));
        CB->setCurrentIndex(record->ceed == 0 ? 0 : 1);
        SG2->showLinks(linksOf(record->rpids, record->rpid_count));
    }
    edtId->setFocus();
}

QString TformCESet::buildRecord() {
    record_.release();
    CeDetail d;
    d.id = edtId->text();
    d.name = edtName->text();
    d.ceed = CB->currentIndex();
    d.rpids = SG2->linkCells();
    return buildCe(d, record_.get());
}

}  // namespace zor::editor
