#include "editor/shell/formeqconf.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/shell/accessibility.h"
#include "editor/shell/action.h"
#include "editor/shell/env_keys.h"
#include "editor/shell/formcgrid.h"
#include "editor/shell/formhist.h"
#include "editor/shell/formmain.h"
#include "editor/shell/history.h"
#include "editor/shell/library.h"
#include "editor/shell/seam.h"

namespace zor::editor {

TformEqConf* formEqConf = nullptr;

TformEqConf::TformEqConf(QWidget* parent)
    : Form(QStringLiteral("formEqConf"),
           QStringLiteral("VUVIVA-DOV / ZOREng4 装置起動情報ファイルの設定"), parent) {
    edtFile = makeEdit(QStringLiteral("edtFile"));
    auto* label1 =
        makeLabel(QStringLiteral("Label1"), QStringLiteral("装置起動情報ファイル名"), edtFile);
    ComboBox1 = new ChoiceBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (int type = 0; type < kSoftTypeCount; ++type) ComboBox1->addItem(softTypeEntry(type));
    auto* label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("対象ｿﾌﾄ選択"), ComboBox1);
    auto* btnNew = makeButton(QStringLiteral("btnNew"), QStringLiteral("新規作成"));
    auto* btnOpen = makeButton(QStringLiteral("btnOpen"), QStringLiteral("既存ﾌｧｲﾙ"));
    auto* btnReopen = makeButton(QStringLiteral("btnReopen"), QStringLiteral("最近開いたﾌｧｲﾙ"));
    auto* btnGo = makeButton(QStringLiteral("btnGo"), QStringLiteral("設定操作開始"));
    auto* btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));

    auto* type = new QHBoxLayout;
    type->addWidget(label2);
    type->addWidget(ComboBox1, 1);
    auto* fileButtons = new QHBoxLayout;
    for (QPushButton* b : {btnNew, btnOpen, btnReopen}) fileButtons->addWidget(b);
    fileButtons->addStretch();
    auto* actions = new QHBoxLayout;
    actions->addStretch();
    actions->addWidget(btnGo);
    actions->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(edtFile);
    layout->addLayout(fileButtons);
    layout->addSpacing(8);
    layout->addLayout(type);
    layout->addStretch();
    layout->addLayout(actions);
    resize(560, 220);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    onClick(btnNew, this, [this] { btnNewClick(); });
    onClick(btnOpen, this, [this] { btnOpenClick(); });
    onClick(btnReopen, this, [this] { btnReopenClick(); });
    onClick(btnGo, this, [this] { btnGoClick(); });
    onClick(btnCancel, this, [this] { btnCancelClick(); });
    ComboBox1->setCurrentIndex(0);
}

// Once per showing rather than on every activation: coming back from the
// history picker or a file dialog must not undo the type the user chose.
void TformEqConf::firstActivate() {
    moveTopLeft();
    edtFile->clear();
    historyPath = formMain->fileInProgramDir(QStringLiteral("eq_conf.his"));
    runAction(this, [this] {
        int type = 0;
        const QString typeFile = QString::fromLatin1(kSoftTypeFile);
        if (QFileInfo::exists(typeFile)) {
            QStringList stored = readTextLines(typeFile, 1);
            type = toInt(stored.isEmpty() ? QString() : stored[0]);
            if (type < 0 || type >= kSoftTypeCount) type = 0;
        }
        ComboBox1->setCurrentIndex(type);
        softType = ComboBox1->currentIndex();
        if (ReadHistory(kHistoryMax, historyPath, history) > 0) {
            edtFile->setText(history[0]);
            openDlgFileName = history[0];
        }
        lib::setEditMode(1);
        if (lib::setupLibrary() < 0) seam().message(this, QStringLiteral("-- Setup Error"));
    });
}

void TformEqConf::formClose() { formMain->show(); }

void TformEqConf::ComboBox1Change() { softType = ComboBox1->currentIndex(); }

void TformEqConf::btnNewClick() { edtFile->clear(); }

void TformEqConf::btnOpenClick() {
    // A remembered path opens the dialog in its own directory.
    QFileInfo last(openDlgFileName);
    FileRequest request{QStringLiteral("装置環境定義ﾌｧｲﾙ名(*.cnf)を開きます。"),
                        formMain->programDir, last.fileName(),
                        QStringLiteral("装置環境定義ﾌｧｲﾙ(*.cnf)|*.cnf|All Files(*.*)|*.*|")};
    if (!openDlgFileName.isEmpty() && last.isAbsolute()) request.directory = last.absolutePath();
    QString path = seam().openFile(this, request);
    if (path.isEmpty()) return;
    openDlgFileName = path;
    edtFile->setText(path);
    formCGrid->filePath = path;
    AddHistory(kHistoryMax, historyPath, path);
}

void TformEqConf::btnReopenClick() {
    auto line = reopenFromHistory(this, historyPath, history);
    if (!line) return;
    edtFile->setText(*line);
    formCGrid->filePath = *line;
}

void TformEqConf::btnGoClick() {
    QString path = edtFile->text().trimmed();
    formCGrid->filePath = path;
    AddHistory(kHistoryMax, historyPath, path);
    writeTextLines(QString::fromLatin1(kSoftTypeFile), {QString::number(softType)});
    formCGrid->showModal();
    close();
}

void TformEqConf::btnCancelClick() { close(); }

}  // namespace zor::editor
