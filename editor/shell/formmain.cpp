#include "editor/shell/formmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "editor/shell/action.h"
#include "editor/shell/formeqconf.h"
#include "editor/shell/formvconf.h"
#include "editor/shell/library.h"
#include "editor/shell/seam.h"

namespace zor::editor {

TformMain* formMain = nullptr;

TformMain::TformMain(QWidget* parent)
    : Form(QStringLiteral("formMain"),
           QStringLiteral("VUVIVA-DOV / ZOREng4 -  システムファイル情報設定プログラム　V-1.0"),
           parent) {
    auto* eqConf = makeButton(
        QStringLiteral("btnEqConf"),
        QStringLiteral("       装置別起動情報ファイルの設定（変数ﾃﾞｰﾀ管理数数、ﾌｫｰﾏｯﾄなど）"));
    auto* eqVar =
        makeButton(QStringLiteral("btnEqVar"),
                   QStringLiteral("       装置別管理情報ファイルの設定（EC, SV, DVVAL, CE など）"));
    auto* exit = makeButton(QStringLiteral("btnExit"), QStringLiteral("終了"));
    for (QPushButton* b : {eqConf, eqVar}) {
        b->setStyleSheet(QStringLiteral("text-align: left; padding: 12px;"));
        b->setMinimumHeight(48);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(eqConf);
    layout->addWidget(eqVar);
    layout->addWidget(exit, 0, Qt::AlignRight);
    onClick(eqConf, this, [this] { btnEqConfClick(); });
    onClick(eqVar, this, [this] { btnEqVarClick(); });
    onClick(exit, this, [this] { btnExitClick(); });
    FormCreate();
}

void TformMain::FormCreate() {
    moveTopLeft();
    launchDir = QCoreApplication::applicationDirPath();
    compilerPath = QDir(launchDir).filePath(QStringLiteral("ZorCompile"));
    textEditorPath = findTextEditor();
}

QString TformMain::workingDirectoryFor(const QString& launchDir) {
    QFileInfo dir(launchDir);
    if (dir.isDir() && dir.isWritable()) return dir.absoluteFilePath();
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QString own = QDir(data).filePath(QCoreApplication::applicationName().isEmpty()
                                          ? QStringLiteral("ZorGemSet")
                                          : QCoreApplication::applicationName());
    QDir().mkpath(own);
    return own;
}

QString TformMain::findTextEditor() {
    for (const char* name : {"xdg-open", "gedit", "gnome-text-editor", "mousepad", "kate", "kwrite",
                             "pluma", "xed", "leafpad", "featherpad"}) {
        QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path;
    }
    return {};
}

QString TformMain::fileInProgramDir(const QString& name) const {
    return QDir(programDir).filePath(name);
}

void TformMain::formActivate() {
    programDir = workingDirectoryFor(launchDir);
    QDir::setCurrent(programDir);
}

void TformMain::btnEqConfClick() {
    hide();
    formEqConf->showModal();
    lib::terminateLibrary();
}

void TformMain::btnEqVarClick() {
    hide();
    formVConf->showModal();
}

void TformMain::btnExitClick() { close(); }

void openInTextEditor(QWidget* parent, const QString& file) {
    if (formMain->textEditorPath.isEmpty()) {
        seam().message(parent, QStringLiteral(" Editor  notepad.exe  が見つかりせん"));
        return;
    }
    lib::createNormalProcess(formMain->textEditorPath, file);
}

QString changeExtension(const QString& path, const QString& extension) {
    qsizetype slash = path.lastIndexOf(u'/');
    qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= slash) dot = path.size();
    return path.left(dot) + extension;
}

QString sourcePathFor(const QString& definitionFile) {
    QFileInfo info(definitionFile);
    if (info.isFile() && info.suffix().toLower() == QStringLiteral("fil"))
        return changeExtension(definitionFile, QStringLiteral(".txt"));
    return definitionFile;
}

}  // namespace zor::editor
