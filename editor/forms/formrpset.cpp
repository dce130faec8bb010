#include "editor/forms/formrpset.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "editor/forms/formvlist.h"
#include "editor/forms/link_grid.h"
#include "editor/forms/link_names.h"
#include "editor/forms/record_fields.h"
#include "editor/forms/report_record.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

TformRPSet* formRPSet = nullptr;

namespace {

DefinitionKind reportKind() {
    DefinitionKind k;
    k.idHeader = QStringLiteral("RPID");
    k.namePrefix = QStringLiteral("RP_");
    k.deletePrefix = QStringLiteral("RPID = ");
    return k;
}

}  // namespace

TformRPSet::TformRPSet(QWidget* parent)
    : RecordForm(QStringLiteral("formRPSet"), QStringLiteral("RP レポートIDの設定"), reportKind(),
                 parent) {
    GroupBox1 = new QGroupBox(QStringLiteral("ﾚﾎﾟｰﾄ"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* ids = new QHBoxLayout(GroupBox1);
    ids->addWidget(makeLabel(QStringLiteral("Label1"), QStringLiteral("RPID"), edtId));
    ids->addWidget(edtId, 1);
    ids->addWidget(makeLabel(QStringLiteral("Label2"), QStringLiteral("ﾚﾎﾟｰﾄ名"), edtName));
    ids->addWidget(edtName, 3);

    LinkKind links;
    links.rows = 32;
    links.editable = true;
    links.header = {QStringLiteral("番号"), QStringLiteral(" VID"), QStringLiteral(" 変数名")};
    links.pick = [](int32_t preset) { return formVlist->pick(preset); };
    links.name = variableLinkName;
    SG2 = new LinkGrid(QStringLiteral("SG2"), links, this);
    SG2->setAccessibleName(QStringLiteral("VID"));

    Memo1 = makeHelpMemo(
        {QStringLiteral("VID欄のｾﾙをﾀﾞﾌﾞﾙｸﾘｯｸするとVID選択画面がﾎﾟｯﾌﾟｱｯﾌﾟされます。")});

    SG1->setAccessibleName(QStringLiteral("レポート一覧"));
    detailLayout()->addWidget(GroupBox1);
    detailLayout()->addWidget(SG2, 1);
    detailLayout()->addWidget(SG2->hiddenNote);
    detailLayout()->addWidget(Memo1);
    resize(900, 600);
}

void TformRPSet::clearDetail() {
    SG2->clearLinks();
    edtId->clear();
    edtName->clear();
}

void TformRPSet::showEntry(const QString& id) {
    lib::Record<TRP_INFO> record;
    if (lib::kReportCalls.get(0, idOf(id), record.get()) == 0) {
        edtId->setText(QString::number(record->rpid));
        edtName->setText(fromSjis(record->name));
        SG2->showLinks(linksOf(record->vids, record->vid_count));
    }
    edtId->setFocus();
}

QString TformRPSet::buildRecord() {
    record_.release();
    ReportDetail d;
    d.id = edtId->text();
    d.name = edtName->text();
    d.vids = SG2->linkCells();
    return buildReport(d, record_.get());
}

}  // namespace zor::editor
