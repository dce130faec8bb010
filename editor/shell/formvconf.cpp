#include "editor/shell/formvconf.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/shell/action.h"
#include "editor/shell/check_log.h"
#include "editor/shell/formhist.h"
#include "editor/shell/formmain.h"
#include "editor/shell/formvmenu.h"
#include "editor/shell/history.h"
#include "editor/shell/library.h"
#include "editor/shell/progress_listener.h"
#include "editor/shell/seam.h"

namespace zor::editor {

TformVConf* formVConf = nullptr;

TformVConf::TformVConf(QWidget* parent)
    : Form(QStringLiteral("formVConf"),
           QStringLiteral("装置管理情報(EC, SV, DVVAL etc)ファイルの設定"), parent) {
    menuBar_ = new QMenuBar(this);
    menuBar_->setAccessibleName(QStringLiteral("ﾒﾆｭｰ"));
    QMenu* menuFile = menuBar_->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    menuFile->setObjectName(QStringLiteral("menuFile"));
    menuFile->setAccessibleName(QStringLiteral("ﾌｧｲﾙ"));
    QAction* menuOpen = menuFile->addAction(QStringLiteral("開く(&O)"));
    menuOpen->setObjectName(QStringLiteral("menuOpen"));
    QAction* menuReopen = menuFile->addAction(QStringLiteral("開きなおす(&R)"));
    menuReopen->setObjectName(QStringLiteral("menuReopen"));
    QAction* menuExit = menuFile->addAction(QStringLiteral("終了(&X)"));
    menuExit->setObjectName(QStringLiteral("menuExit"));

    edtConf = makeEdit(QStringLiteral("edtConf"));
    edtFile = makeEdit(QStringLiteral("edtFile"));
    auto* label1 = makeLabel(QStringLiteral("Label1"),
                             QStringLiteral("装置起動情報ファイル名(*.cnf)"), edtConf);
    auto* label2 = makeLabel(QStringLiteral("Label2"),
                             QStringLiteral("装置管理情報ファイル名(*.fil または *.txt)"), edtFile);
    auto* btnOpen = makeButton(QStringLiteral("btnOpen"), QStringLiteral("参照"));
    auto* btnReopen = makeButton(QStringLiteral("btnReopen"), QStringLiteral("開きなおす"));
    auto* btnNew = makeButton(QStringLiteral("btnNew"), QStringLiteral("新規ﾌｧｲﾙ"));
    auto* btnOpen2 = makeButton(QStringLiteral("btnOpen2"), QStringLiteral("既存ﾌｧｲﾙ"));
    auto* btnReopen2 = makeButton(QStringLiteral("btnReopen2"), QStringLiteral("最近開いたﾌｧｲﾙ"));
    auto* btnEdit = makeButton(QStringLiteral("btnEdit"), QStringLiteral("ｴﾃﾞｨﾀｰで確認"));
    auto* btnGo = makeButton(QStringLiteral("btnGo"), QStringLiteral("設定操作開始"));
    auto* btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("閉じる"));
    auto* btnErase = makeButton(QStringLiteral("btnErase"), QStringLiteral("ﾛｸﾞ消去"));
    MEMO = new QPlainTextEdit(this);
    MEMO->setObjectName(QStringLiteral("MEMO"));
    MEMO->setAccessibleName(QStringLiteral("ﾛｸﾞ"));
    MEMO->setLineWrapMode(QPlainTextEdit::NoWrap);
    MEMO->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MEMO->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    auto* grid = new QGridLayout;
    grid->addWidget(label1, 0, 0, 1, 4);
    grid->addWidget(edtConf, 1, 0, 1, 2);
    grid->addWidget(btnOpen, 1, 2);
    grid->addWidget(btnReopen, 1, 3);
    grid->addWidget(label2, 2, 0, 1, 4);
    grid->addWidget(edtFile, 3, 0, 1, 4);
    auto* fileButtons = new QHBoxLayout;
    for (QPushButton* b : {btnNew, btnOpen2, btnReopen2, btnEdit}) fileButtons->addWidget(b);
    fileButtons->addStretch();
    auto* actions = new QHBoxLayout;
    actions->addWidget(btnGo);
    actions->addWidget(btnCancel);
    actions->addStretch();
    actions->addWidget(btnErase);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addLayout(grid);
    layout->addLayout(fileButtons);
    layout->addLayout(actions);
    layout->addWidget(MEMO, 1);
    resize(640, 480);

    listener_ = new ProgressListener([this](const QByteArray&) { progressMessage(); }, this);

    onClick(btnOpen, this, [this] { btnOpenClick(); });
    onClick(btnReopen, this, [this] { btnReopenClick(); });
    connect(menuReopen, &QAction::triggered, this,
            [this] { runAction(this, [this] { btnReopenClick(); }); });
    onClick(btnNew, this, [this] { btnNewClick(); });
    onClick(btnOpen2, this, [this] { btnOpen2Click(); });
    onClick(btnReopen2, this, [this] { btnReopen2Click(); });
    onClick(btnEdit, this, [this] { btnEditClick(); });
    onClick(btnGo, this, [this] { btnGoClick(); });
    onClick(btnCancel, this, [this] { btnCancelClick(); });
    onClick(btnErase, this, [this] { btnEraseClick(); });
    connect(Timer1, &QTimer::timeout, this, [this] { runAction(this, [this] { Timer1Timer(); }); });
}

quint16 TformVConf::handle() { return listener_->listen(); }

void TformVConf::firstActivate() {
    moveTopLeft();
    edtFile->clear();
    varHistoryPath = formMain->fileInProgramDir(QStringLiteral("eq_var.his"));
    confHistoryPath = formMain->fileInProgramDir(QStringLiteral("eq_conf.his"));
    runAction(this, [this] {
        if (ReadHistory(kHistoryMax, confHistoryPath, history) > 0) edtConf->setText(history[0]);
        if (ReadHistory(kHistoryMax, varHistoryPath, history) > 0) edtFile->setText(history[0]);
    });
    lib::setEditMode(2);
}

void TformVConf::formClose() {
    Timer1->stop();
    formMain->show();
}

void TformVConf::btnOpenClick() {
    QString path = seam().openFile(
        this, {QStringLiteral("装置環境定義ﾌｧｲﾙ名(*.cnf)を開く"), formMain->programDir, QString(),
               QStringLiteral("装置環境定義ﾌｧｲﾙ(*.cnf)|*.cnf|All Files(*.*)|*.*|")});
    if (path.isEmpty()) return;
    edtConf->setText(path);
    if (!QFileInfo::exists(path)) {
        seam().message(this, QStringLiteral("指定されたﾌｧｲﾙがみつかりません。"));
        return;
    }
    AddHistory(kHistoryMax, confHistoryPath, path);
}

void TformVConf::reopenInto(QLineEdit* edit, const QString& historyPath) {
    if (auto line = reopenFromHistory(this, historyPath, history)) edit->setText(*line);
}

void TformVConf::btnReopenClick() { reopenInto(edtConf, confHistoryPath); }

void TformVConf::btnReopen2Click() { reopenInto(edtFile, varHistoryPath); }

void TformVConf::btnOpen2Click() {
    QString path = seam().openFile(
        this,
        {QStringLiteral("装置GEM情報定義ﾌｧｲﾙ名(*.fil)を開く"), formMain->programDir, QString(),
         QStringLiteral("装置GEM情報ｿｰｽﾌｧｲﾙ(*.txt)|*.txt|装置GEM情報ｵﾌﾞｼﾞｪｸﾄﾌｧｲﾙ(*.fil)|"
                        "*.fil|全ﾌｧｲﾙ(*.*)|*.*|")});
    if (path.isEmpty()) return;
    edtFile->setText(path);
    formVMenu->edtFile->setText(path);
    if (QFileInfo::exists(path)) AddHistory(kHistoryMax, varHistoryPath, path);
}

void TformVConf::btnNewClick() { edtFile->clear(); }

void TformVConf::btnEditClick() { openInTextEditor(this, edtFile->text()); }

void TformVConf::btnEraseClick() { MEMO->clear(); }

void TformVConf::btnCancelClick() { close(); }

void TformVConf::btnGoClick() {
    QString conf = edtConf->text().trimmed();
    if (conf.isEmpty()) {
        seam().message(this, QStringLiteral("装置構成定義ﾌｧｲﾙを設定してください。"));
        return;
    }
    if (!QFileInfo(conf).isFile()) {
        seam().message(this, QStringLiteral("指定された装置構成定義ﾌｧｲﾙが開けません。"));
        return;
    }
    AddHistory(kHistoryMax, confHistoryPath, edtConf->text());
    AddHistory(kHistoryMax, varHistoryPath, edtFile->text());

    QString definition = edtFile->text().trimmed();
    if (definition.isEmpty() || !QFileInfo(definition).isFile()) return;
    QString ext = QFileInfo(definition).suffix();
    if (ext == QStringLiteral("txt") || ext == QStringLiteral("TXT")) {
        WritePassFile(formMain->programDir, handle());
        watch.restart();
        Timer1->start(1000);
        int result = StartCompile(formMain->programDir, formMain->compilerPath, definition);
        appendLine(MEMO,
                   QStringLiteral("Compiler Porcess Start ") + QStringLiteral("ei=%1").arg(result));
        if (result != 0) seam().message(this, QStringLiteral("Compile ei=%1").arg(result));
    } else if (ext.compare(QStringLiteral("fil"), Qt::CaseInsensitive) == 0) {
        // An object file needs no compile: bind it as it is.
        loadEquipment(edtConf->text(), edtFile->text(), definition);
    }
}

void TformVConf::Timer1Timer() {
    if (!compileEnded(formMain->programDir)) {
        if (watch.silentTick()) {
            Timer1->stop();
            appendLine(MEMO, QStringLiteral(" !! -- Compile time out"));
        }
        return;
    }
    appendLine(MEMO, QStringLiteral("=== Compile end ==="));
    Timer1->stop();
    int result = compileResult(formMain->programDir);
    appendLine(MEMO, QStringLiteral("   result = ") + QString::number(result));
    if (result != 0) return;
    QString objectFile = changeExtension(edtFile->text(), QStringLiteral(".fil"));
    if (loadEquipment(edtConf->text(), edtFile->text(), objectFile))
        appendCheckLog(MEMO, edtFile->text(), objectFile);
}

bool TformVConf::loadEquipment(const QString& envFile, const QString& defFile,
                               const QString& objectFile) {
    if (lib::editSetupEquipment(envFile, objectFile, &errorText) < 0) {
        seam().message(
            this, QStringLiteral("設定されたﾌｧｲﾙにｴﾗｰがみつかりました。: ") + u'\n' + errorText);
        return false;
    }
    formMain->envFile = envFile;
    formMain->defFile = defFile;
    // Compared now, while the user waits for the load anyway: the first
    // save then writes only what changed without reading every block.
    const QString source = sourcePathFor(defFile);
    if (!source.trimmed().isEmpty()) lib::compareEqInfo(source);
    formVMenu->show();
    return true;
}

void TformVConf::progressMessage() {
    watch.restart();
    runAction(this, [this] { appendLine(MEMO, readProgressLine(formMain->programDir)); });
}

}  // namespace zor::editor
