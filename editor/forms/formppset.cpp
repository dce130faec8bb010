#include "editor/forms/formppset.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/shell/string_grid.h"

namespace zor::editor {

TformPPSet* formPPSet = nullptr;

namespace {

DefinitionKind ppKind() {
    DefinitionKind k;
    k.idHeader = QStringLiteral("PPID");
    k.namePrefix = QStringLiteral("PP_");
    k.deletePrefix = QStringLiteral("PPID = ");
    k.textIds = true;
    return k;
}

}  // namespace

TformPPSet::TformPPSet(QWidget* parent)
    : RecordForm(QStringLiteral("formPPSet"), QStringLiteral("PP ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑの設定"), ppKind(),
                 parent) {
    SG1->setColumnWidth(0, 33);
    SG1->setColumnWidth(1, 144);
    SG1->setAccessibleName(QStringLiteral("プロセスプログラム一覧"));
    edtName->setObjectName(QStringLiteral("edtname"));

    GroupBox1 = new QGroupBox(QStringLiteral("ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑ"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    edtPpbody = makeEdit(QStringLiteral("edtPpbody"));
    auto* boxes = new QGridLayout(GroupBox1);
    boxes->addWidget(makeLabel(QStringLiteral("Label1"), QStringLiteral("ppid"), edtId), 0, 0);
    boxes->addWidget(edtId, 0, 1);
    boxes->addWidget(makeLabel(QStringLiteral("Label2"), QStringLiteral("name"), edtName), 1, 0);
    boxes->addWidget(edtName, 1, 1);
    boxes->addWidget(makeLabel(QStringLiteral("Label3"), QStringLiteral("ppbody"), edtPpbody), 2,
                     0);
    boxes->addWidget(edtPpbody, 2, 1);
    setTabOrder(edtId, edtPpbody);
    setTabOrder(edtPpbody, edtName);

    btnRecover = makeRecoverButton();
    detailLayout()->addWidget(GroupBox1);
    detailLayout()->addStretch(1);
    resize(900, 500);
}

void TformPPSet::clearDetail() { showDetail({}); }

void TformPPSet::showDetail(const PpDetail& d) {
    edtId->setText(d.id);
    edtName->setText(d.name);
    edtPpbody->setText(d.body);
}

void TformPPSet::showEntry(const QString& id) {
    lib::Record<TPP_INFO> record;
    // A failed get shows nothing: the record holds no process program then.
    if (getEntry(id, record.get()) == 0) showDetail(viewPp(*record));
    edtId->setFocus();
}

PpDetail TformPPSet::detail() const { return {edtId->text(), edtName->text(), edtPpbody->text()}; }

QString TformPPSet::buildRecord() {
    record_.release();
    return buildPp(detail(), record_.get());
}

}  // namespace zor::editor
