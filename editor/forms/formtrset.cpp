#include "editor/forms/formtrset.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/forms/formvlist.h"
#include "editor/forms/link_grid.h"
#include "editor/forms/link_names.h"
#include "editor/forms/record_fields.h"
#include "editor/shell/sjis.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

TformTRSet* formTRSet = nullptr;

namespace {

DefinitionKind traceKind() {
    DefinitionKind k;
    k.idHeader = QStringLiteral("TRID");
    k.namePrefix = QStringLiteral("TR_");
    k.deletePrefix = QStringLiteral("TRID = ");
    k.textIds = true;
    return k;
}

LinkKind statusVariableLinks() {
    LinkKind k;
    k.rows = 32;
    k.editable = true;
    k.header = {QStringLiteral("番号"), QStringLiteral(" VID"), QStringLiteral(" 変数名")};
    k.pick = [](int32_t preset) { return formVlist->pick(preset); };
    k.name = statusVariableLinkName;
    return k;
}

}  // namespace

TformTRSet::TformTRSet(QWidget* parent)
    : RecordForm(QStringLiteral("formTRSet"), QStringLiteral("TRACE IDの設定"), traceKind(),
                 parent) {
    SG1->setColumnWidth(0, 33);
    SG1->setColumnWidth(1, 59);
    SG1->setAccessibleName(QStringLiteral("トレース一覧"));

    GroupBox1 = new QGroupBox(QStringLiteral("トレース"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    edtdsper = makeEdit(QStringLiteral("edtdsper"));
    edttotsmp = makeEdit(QStringLiteral("edttotsmp"));
    edtrepgsz = makeEdit(QStringLiteral("edtrepgsz"));
    auto* boxes = new QGridLayout(GroupBox1);
    boxes->addWidget(makeLabel(QStringLiteral("Label1"), QStringLiteral("ﾄﾚｰｽID"), edtId), 0, 0);
    boxes->addWidget(edtId, 0, 1);
    boxes->addWidget(makeLabel(QStringLiteral("Label2"), QStringLiteral("名前"), edtName), 1, 0);
    boxes->addWidget(edtName, 1, 1, 1, 2);
    boxes->addWidget(makeLabel(QStringLiteral("Label3"), QStringLiteral("時間周期"), edtdsper), 2,
                     0);
    boxes->addWidget(edtdsper, 2, 1);
    boxes->addWidget(new QLabel(QStringLiteral("HHMMSSCC（8桁）"), GroupBox1), 2, 2);
    boxes->addWidget(makeLabel(QStringLiteral("Label4"), QStringLiteral("合計ｻﾝﾌﾟﾙ数"), edttotsmp),
                     3, 0);
    boxes->addWidget(edttotsmp, 3, 1);
    boxes->addWidget(
        makeLabel(QStringLiteral("Label5"), QStringLiteral("ﾚﾎﾟｰﾄｸﾞﾙｰﾌﾟｻｲｽﾞ"), edtrepgsz), 4, 0);
    boxes->addWidget(edtrepgsz, 4, 1);
    setTabOrder(edtId, edtName);
    setTabOrder(edtName, edtdsper);
    setTabOrder(edtdsper, edttotsmp);
    setTabOrder(edttotsmp, edtrepgsz);

    SG2 = new LinkGrid(QStringLiteral("SG2"), statusVariableLinks(), this);
    SG2->setAccessibleName(QStringLiteral("SVID"));
    SG2->setColumnWidth(0, 40);
    SG2->setColumnWidth(1, 75);

    Label6 =
        makeLabel(QStringLiteral("Label6"),
                  QStringLiteral("VID欄のｾﾙをﾀﾞﾌﾞﾙｸﾘｯｸするとVID選択画面がﾎﾟｯﾌﾟｱｯﾌﾟされます。"));
    btnRecover = makeRecoverButton();

    detailLayout()->addWidget(GroupBox1);
    detailLayout()->addWidget(SG2, 1);
    detailLayout()->addWidget(SG2->hiddenNote);
    detailLayout()->addWidget(Label6);
    resize(900, 600);
}

void TformTRSet::clearDetail() {
    SG2->clearLinks();
    showDetail(newTraceDetail());
}

void TformTRSet::showDetail(const TraceDetail& d) {
    edtId->setText(d.id);
    edtName->setText(d.name);
    edtdsper->setText(d.dsper);
    edttotsmp->setText(d.totsmp);
    edtrepgsz->setText(d.repgsz);
}

void TformTRSet::showEntry(const QString& id) {
    lib::Record<TTRACE_INFO> record;
    // A failed get shows nothing: the record holds no trace then.
    if (lib::kTraceCalls.get(0, toSjis(id.trimmed()).constData(), record.get()) == 0) {
        showDetail(viewTrace(*record));
        SG2->showLinks(linksOf(record->svids, record->svid_count));
    }
    edtId->setFocus();
}

TraceDetail TformTRSet::detail() const {
    TraceDetail d;
    d.id = edtId->text();
    d.name = edtName->text();
    d.dsper = edtdsper->text();
    d.totsmp = edttotsmp->text();
    d.repgsz = edtrepgsz->text();
    d.svids = SG2->linkCells();
    return d;
}

QString TformTRSet::buildRecord() {
    record_.release();
    return buildTrace(detail(), record_.get());
}

}  // namespace zor::editor
