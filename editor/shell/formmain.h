#pragma once
// The main window: two entry points (environment session, definition
// session) and the session state the other windows share.

#include "editor/shell/form.h"

class QPushButton;

namespace zor::editor {

class TformMain : public Form {
    Q_OBJECT
  public:
    explicit TformMain(QWidget* parent = nullptr);

    // ---- session state shared with the other windows ----
    // Where the program's files meet: the program directory, or a per-user
    // data directory when the program directory is not writable. Made the
    // current directory on every activation.
    QString programDir;
    // The environment and definition files of the bound definition session.
    QString envFile;
    QString defFile;
    // The system text editor; empty when none was found.
    QString textEditorPath;
    // The compiler, beside the program's own executable.
    QString compilerPath;
    // The directory of the running program (tests point it elsewhere).
    QString launchDir;

    // The program directory for `launchDir` (see programDir).
    static QString workingDirectoryFor(const QString& launchDir);
    // The first text editor found on PATH, or an empty text.
    static QString findTextEditor();

    // A bare meeting file name ("pass_file", "AAZZ", …) in the program directory.
    QString fileInProgramDir(const QString& name) const;

    void btnEqConfClick();
    void btnEqVarClick();
    void btnExitClick();

  protected:
    void formActivate() override;

  private:
    void FormCreate();
};

extern TformMain* formMain;

// Starts the text editor on `file`, or says that there is none.
void openInTextEditor(QWidget* parent, const QString& file);
// `path` with its extension (".txt") replaced by `extension`, or `extension`
// appended when it has none.
QString changeExtension(const QString& path, const QString& extension);
// The source a save writes for the definition file the session loaded: the
// .txt beside an object file, else the file itself.
QString sourcePathFor(const QString& definitionFile);

}  // namespace zor::editor
