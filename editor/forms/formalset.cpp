#include "editor/forms/formalset.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/forms/formcelist.h"
#include "editor/shell/accessibility.h"
#include "editor/shell/action.h"
#include "editor/shell/helpers.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {

TformALSet* formALSet = nullptr;

namespace {

DefinitionKind alarmKind() {
    DefinitionKind k;
    k.idHeader = QStringLiteral("ALID");
    k.namePrefix = QStringLiteral("AL_");
    k.deletePrefix = QStringLiteral("ALID = ");
    k.refusalEndsOk = true;
    return k;
}

}  // namespace

TformALSet::TformALSet(QWidget* parent)
    : RecordForm(QStringLiteral("formALSet"), QStringLiteral("AL アラームの設定"), alarmKind(),
                 parent) {
    SG1->setColumnWidth(0, 33);
    SG1->setColumnWidth(1, 70);
    SG1->setAccessibleName(QStringLiteral("アラーム一覧"));
    btnRefresh->setFocusPolicy(Qt::ClickFocus);
    btnDel->setFocusPolicy(Qt::ClickFocus);

    GroupBox1 = new QGroupBox(QStringLiteral("アラーム"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    edtAlcd = makeEdit(QStringLiteral("edtAlcd"));
    edtAltx = makeEdit(QStringLiteral("edtAltx"));
    CB = new QComboBox(this);
    CB->setObjectName(QStringLiteral("CB"));
    CB->addItems({QStringLiteral("Disable"), QStringLiteral("Enable")});
    CB->setCurrentIndex(1);
    edtCeon = makeEdit(QStringLiteral("edtCeon"));
    edtCeoff = makeEdit(QStringLiteral("edtCeoff"));
    // The names the CEIDs stand for, named apart from the group around them.
    labCeon = new DataLabel(QStringLiteral("アラーム発生イベント名"), this);
    labCeon->setObjectName(QStringLiteral("labCeon"));
    labCeoff = new DataLabel(QStringLiteral("アラーム解除イベント名"), this);
    labCeoff->setObjectName(QStringLiteral("labCeoff"));

    auto* boxes = new QGridLayout(GroupBox1);
    const struct {
        const char* label;
        QWidget* box;
        QLabel* beside;
    } rows[] = {{"alid", edtId, nullptr},      {"name", edtName, nullptr},
                {"alcd", edtAlcd, nullptr},    {"altx", edtAltx, nullptr},
                {"aled", CB, nullptr},         {"ce_on", edtCeon, labCeon},
                {"ce_off", edtCeoff, labCeoff}};
    int row = 0;
    QWidget* previous = nullptr;
    for (const auto& r : rows) {
        const QString text = QString::fromLatin1(r.label);
        boxes->addWidget(makeLabel(QStringLiteral("Label") + QString::number(row + 1), text, r.box),
                         row, 0);
        if (r.beside) {
            boxes->addWidget(r.box, row, 1);
            boxes->addWidget(r.beside, row, 2);
        } else {
            // The alarm text is wide; the short boxes leave room.
            boxes->addWidget(r.box, row, 1, 1, r.box == edtAltx || r.box == edtName ? 2 : 1);
        }
        if (previous) setTabOrder(previous, r.box);
        previous = r.box;
        ++row;
    }
    boxes->addWidget(makeLabel(QStringLiteral("Label8"),
                               QStringLiteral("ce_on, ce_offの入力部のﾀﾞﾌﾞﾙｸﾘｯｸでCE選択画面")),
                     row, 0, 1, 3);
    boxes->setColumnStretch(2, 1);

    Label9 =
        makeLabel(QStringLiteral("Label9"), QStringLiteral("ce_on, ce_offの入力欄をクリックすると\n"
                                                           "CEID選択画面がﾎﾟｯﾌﾟｱｯﾌﾟされます。"));
    btnRecover = makeButton(QStringLiteral("btnRecover"), QStringLiteral("復活"));
    btnRecover->hide();

    for (QLineEdit* box : {edtCeon, edtCeoff}) {
        box->installEventFilter(this);
        QLabel* label = box == edtCeon ? labCeon : labCeoff;
        // A name beside a number the user is changing would name the old CE.
        connect(box, &QLineEdit::textEdited, label, &QLabel::clear);
        connect(box, &QLineEdit::editingFinished, this,
                [box, label] { label->setText(ceLabelText(box->text())); });
    }

    detailLayout()->addWidget(GroupBox1);
    detailLayout()->addWidget(Label9);
    detailLayout()->addStretch(1);
    resize(760, 460);
}

void TformALSet::firstActivate() {
    DefinitionForm::firstActivate();
    EditBeep(1);  // opening resets the detail as btnReset does
}

bool TformALSet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == edtCeon) {
            runAction(this, [this] { edtCeonDblClick(); });
            return true;
        }
        if (watched == edtCeoff) {
            runAction(this, [this] { edtCeoffDblClick(); });
            return true;
        }
    }
    return RecordForm::eventFilter(watched, event);
}

void TformALSet::edtCeonDblClick() { pickCe(edtCeon, labCeon); }

void TformALSet::edtCeoffDblClick() { pickCe(edtCeoff, labCeoff); }

void TformALSet::pickCe(QLineEdit* box, QLabel* label) {
    const int32_t preset =
        box->text().trimmed().isEmpty() ? 0 : static_cast<int32_t>(readCeid(box->text()));
    const uint32_t picked = static_cast<uint32_t>(formCElist->pick(preset));
    box->clear();
    label->clear();
    if (picked == 0) return;
    box->setText(QString::number(picked));
    label->setText(ceLabelText(box->text()));
}

void TformALSet::clearDetail() {
    const int aled = CB->currentIndex();  // the choice stays
    AlarmDetail empty;
    empty.aled = aled;
    showDetail(empty);
}

void TformALSet::showDetail(const AlarmDetail& d) {
    edtId->setText(d.id);
    edtName->setText(d.name);
    edtAlcd->setText(d.alcd);
    edtAltx->setText(d.altx);
    CB->setCurrentIndex(d.aled);
    edtCeon->setText(d.ceOn);
    edtCeoff->setText(d.ceOff);
    labCeon->setText(ceLabelText(d.ceOn));
    labCeoff->setText(ceLabelText(d.ceOff));
}

void TformALSet::showEntry(const QString& id) {
    lib::Record<TAL_INFO> record;
    // A failed get shows nothing: the record holds no alarm then.
    if (lib::kAlarmCalls.get(0, idOf(id), record.get()) == 0) showDetail(viewAlarm(*record));
    edtId->setFocus();
}

AlarmDetail TformALSet::detail() const {
    AlarmDetail d;
    d.id = edtId->text();
    d.name = edtName->text();
    d.alcd = edtAlcd->text();
    d.altx = edtAltx->text();
    d.aled = CB->currentIndex();
    d.ceOn = edtCeon->text();
    d.ceOff = edtCeoff->text();
    return d;
}

QString TformALSet::buildRecord() {
    record_.release();
    return buildAlarm(detail(), record_.get());
}

}  // namespace zor::editor
