#include "editor/shell/formvmenu.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/shell/action.h"
#include "editor/shell/check_log.h"
#include "editor/shell/compile_protocol.h"
#include "editor/shell/formmain.h"
#include "editor/shell/formvconf.h"
#include "editor/shell/helpers.h"
#include "editor/shell/history.h"
#include "editor/shell/library.h"
#include "editor/shell/progress_listener.h"
#include "editor/shell/seam.h"

namespace zor::editor {

TformVMenu* formVMenu = nullptr;

namespace {

struct Panel {
    const char* group;
    const char* name;
    const char* caption;
};

// The editor panels, grouped as the menu shows them.
const Panel kPanels[] = {
    {"変数 EC, SV, DVVALの定義", "btnEc", "　EC 装置定数"},
    {"変数 EC, SV, DVVALの定義", "btnSV", "　SV 装置状態変数"},
    {"変数 EC, SV, DVVALの定義", "btnDV", "　DVVAL 装置ﾃﾞｰﾀ変数"},
    {"変数 EC, SV, DVVALの定義", "btnTRACE", "　TRACE 変数ﾄﾚｰｽ情報"},
    {"CE, REPORT、ALARMの定義", "btnCE", "　CE 収集ｲﾍﾞﾝﾄ"},
    {"CE, REPORT、ALARMの定義", "btnREPORT", "　REPORT ｲﾍﾞﾝﾄﾚﾎﾟｰﾄ"},
    {"CE, REPORT、ALARMの定義", "btnALARM", "　ALARM ｱﾗｰﾑ"},
    {"PP, FPP or RCPの定義", "btnPP", "　PP ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑ"},
    {"PP, FPP or RCPの定義", "btnFPP", "　FPP 書式付ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑ"},
    {"PP, FPP or RCPの定義", "btnRCP", "　RCP ﾚｼﾋﾟ"},
    {"SPOOLの定義", "btnSPOLL", "　SPOOL ｽﾌﾟｰﾙ情報"},
};

const char* const kHelpLines[] = {
    "新規に定義する場合、EC, SV, DVVAL, REPORT, CE, ALARMの順に",
    "定義していくと便利です。",
    "それから、SVで使用するCEIDはCEIDの定義後に、追加できます。",
    "",
    "必要な定義が済んだら保存ﾎﾞﾀﾝで情報をｿｰｽﾌｧｲﾙに保存してください。",
    "また、ｵﾌﾞｼﾞｪｸﾄﾌｧｲﾙの作成はｺﾝﾊﾟｲﾙﾎﾞﾀﾝのｸﾘｯｸで行います。",
};

}  // namespace

TformVMenu::TformVMenu(QWidget* parent)
    : Form(QStringLiteral("formVMenu"), QStringLiteral("VUVIVA-DOV / ZOREng4 管理変数情報の設定"),
           parent) {
    auto* files = new QGroupBox(QStringLiteral("GEM（EC,SV etc)情報定義"), this);
    edtSrc = makeEdit(QStringLiteral("edtSrc"));
    edtFile = makeEdit(QStringLiteral("edtFile"));
    auto* label2 =
        makeLabel(QStringLiteral("Label2"), QStringLiteral("装置管理情報ｿｰｽﾌｧｲﾙ名(.txt) "), edtSrc);
    auto* label1 = makeLabel(QStringLiteral("Label1"),
                             QStringLiteral("装置管理情報ｵﾌﾞｼﾞｪｸﾄﾌｧｲﾙ名(.fil) "), edtFile);
    auto* btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("閉じる"));
    auto* btnSave = makeButton(QStringLiteral("btnSave"), QStringLiteral("保存"));
    auto* btnSaveAs = makeButton(QStringLiteral("btnSaveAs"), QStringLiteral("新規保存"));
    auto* btnEditor = makeButton(QStringLiteral("btnEditor"), QStringLiteral("ｴﾃﾞｨﾀｰで確認"));
    auto* btnCompile = makeButton(QStringLiteral("btnCompile"), QStringLiteral("ｺﾝﾊﾟｲﾙ"));
    auto* fileGrid = new QGridLayout(files);
    fileGrid->addWidget(label2, 0, 0);
    fileGrid->addWidget(edtSrc, 0, 1, 1, 4);
    fileGrid->addWidget(label1, 1, 0);
    fileGrid->addWidget(edtFile, 1, 1, 1, 4);
    int col = 0;
    for (QPushButton* b : {btnCancel, btnSave, btnSaveAs, btnEditor, btnCompile})
        fileGrid->addWidget(b, 2, col++);

    auto* panels = new QGridLayout;
    QMap<QString, QVBoxLayout*> groups;
    for (const Panel& p : kPanels) {
        QString group = QString::fromUtf8(p.group);
        if (!groups.contains(group)) {
            auto* box = new QGroupBox(group, this);
            auto* v = new QVBoxLayout(box);
            groups.insert(group, v);
            int n = static_cast<int>(groups.size()) - 1;
            panels->addWidget(box, n / 2, n % 2);
        }
        QString name = QString::fromLatin1(p.name);
        auto* panel = makeButton(name, QString::fromUtf8(p.caption));
        panel->setStyleSheet(QStringLiteral("text-align: left; padding: 6px;"));
        groups[group]->addWidget(panel);
        onClick(panel, this, [this, name] { panelClick(name); });
    }
    for (QVBoxLayout* v : groups) v->addStretch();

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("説明"));
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->viewport()->setAutoFillBackground(false);
    Memo1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
    QStringList help;
    for (const char* line : kHelpLines) help << QString::fromUtf8(line);
    Memo1->setPlainText(help.join(u'\n'));
    Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 7 + 8);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setAccessibleName(QStringLiteral("ﾛｸﾞ"));
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* btnErase = makeButton(QStringLiteral("btnErase"), QStringLiteral("消去"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    auto* memoRow = new QHBoxLayout;
    memoRow->addWidget(Memo, 1);
    memoRow->addWidget(btnErase, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files);
    layout->addLayout(panels);
    layout->addWidget(Memo1);
    layout->addLayout(memoRow, 1);
    resize(720, 640);

    listener_ = new ProgressListener([this](const QByteArray&) { progressMessage(); }, this);

    onClick(btnCancel, this, [this] { btnCancelClick(); });
    onClick(btnSave, this, [this] { btnSaveClick(); });
    onClick(btnSaveAs, this, [this] { btnSaveAsClick(); });
    onClick(btnEditor, this, [this] { btnEditorClick(); });
    onClick(btnCompile, this, [this] { btnCompileClick(); });
    onClick(btnErase, this, [this] { btnEraseClick(); });
    connect(Timer1, &QTimer::timeout, this, [this] { runAction(this, [this] { Timer1Timer(); }); });
}

quint16 TformVMenu::handle() { return listener_->listen(); }

void TformVMenu::setLaunch(const QString& panelName, EditorLaunch launch) {
    launches_.insert(panelName, std::move(launch));
}

void TformVMenu::panelClick(const QString& panelName) {
    hide();
    EditorLaunch launch = launches_.value(panelName);
    if (launch.prepare) launch.prepare();
    if (!launch.form) {
        show();
        return;
    }
    if (launch.mode == EditorLaunch::Modeless) {
        // The editor shows the menu again when it closes.
        launch.form->setWindowFlag(Qt::WindowStaysOnTopHint, false);
        launch.form->show();
        return;
    }
    launch.form->setWindowFlag(Qt::WindowStaysOnTopHint, launch.mode == EditorLaunch::ModalOnTop);
    launch.form->showModal();
    show();
}

void TformVMenu::firstActivate() {
    moveTopLeft();
    Modified = 0;
    if (formMain->envFile.isEmpty()) return;
    const QString path = formMain->defFile;
    const QString source = sourcePathFor(path);
    edtSrc->setText(source);
    if (source != path)
        edtFile->setText(path);
    else if (!path.trimmed().isEmpty())
        edtFile->setText(changeExtension(path, QStringLiteral(".fil")));
}

void TformVMenu::btnSaveClick() {
    if (edtSrc->text().trimmed().isEmpty()) {
        seam().message(this, QStringLiteral("保存用ｿｰｽﾌｧｲﾙ名を設定してください。"));
        return;
    }
    int rc = lib::writeEqInfo(edtSrc->text());
    appendLine(Memo,
               rc == 0 ? QStringLiteral("保存しました。") : QStringLiteral("保存に失敗しました。"));
    if (rc == 0)
        appendLine(Memo, lib::lastWriteEdited() ? QStringLiteral("（変更した定義のみ書き換え）")
                                                : QStringLiteral("（全体を書き出し）"));
    EditBeep(1);
    // A failed save leaves Modified set: closing must still ask.
    if (rc == 0) Modified = 0;
}

void TformVMenu::btnSaveAsClick() {
    QFileInfo src(edtSrc->text());
    QString path = seam().saveFile(this, {QString(), src.absolutePath(), src.fileName(),
                                          QStringLiteral("装置情報ﾌｧｲﾙ(*txt)|*.txt")});
    if (path.isEmpty()) return;
    edtSrc->setText(path);
    btnSaveClick();
    edtFile->setText(changeExtension(edtSrc->text(), QStringLiteral(".fil")));
}

void TformVMenu::btnCompileClick() {
    if (edtSrc->text().trimmed().isEmpty()) {
        seam().message(this, QStringLiteral("ｿｰｽﾌｧｲﾙ名を設定してください。"));
        return;
    }
    WritePassFile(formMain->programDir, handle());
    int result = StartCompile(formMain->programDir, formMain->compilerPath, edtSrc->text());
    if (result != 0) {
        seam().message(this, QStringLiteral("Compile ei=%1").arg(result));
        EditBeep(1);
        return;
    }
    Timer1->setInterval(1000);
    Timer1->start();
}

void TformVMenu::Timer1Timer() {
    if (!compileEnded(formMain->programDir)) return;
    Timer1->stop();
    appendLine(Memo, QStringLiteral("----- Operation End -----"));
    if (compileResult(formMain->programDir) == 0)
        appendCheckLog(Memo, edtSrc->text(), edtFile->text());
    EditBeep(1);
}

void TformVMenu::btnEditorClick() { openInTextEditor(this, edtSrc->text()); }

void TformVMenu::btnEraseClick() { Memo->clear(); }

void TformVMenu::btnCancelClick() {
    Timer1->stop();
    close();
}

bool TformVMenu::canClose() {
    if (Modified != 1) return true;
    return seam().ask(
        this, QStringLiteral("設定変更が行われましたがｺﾝﾊﾟｲﾙと保存がされておりません。") + u'\n' +
                  QStringLiteral("このまま終了しますか？"));
}

void TformVMenu::formClose() {
    formVConf->show();
    formVConf->raise();
}

void TformVMenu::progressMessage() {
    runAction(this, [this] { appendLine(Memo, readProgressLine(formMain->programDir)); });
}

void appendLine(QPlainTextEdit* memo, const QString& line) { memo->appendPlainText(line); }

}  // namespace zor::editor
