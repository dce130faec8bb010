// ZorGemSet: the editor of equipment definitions and environment files.
//   ZorGemSet                                   the editor
//   ZorGemSet --screenshots DIR [--equipment CNF FIL]
//                                               a PNG of every window into DIR
#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "editor/forms/screenshots.h"
#include "editor/forms/windows.h"
#include "editor/shell/formmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZorGemSet"));
    zor::editor::createWindows();
    const QStringList args = QApplication::arguments();
    int rc = 0;
    if (qsizetype at = args.indexOf(QStringLiteral("--screenshots"));
        at > 0 && at + 1 < args.size()) {
        QString cnf, fil;
        if (qsizetype eq = args.indexOf(QStringLiteral("--equipment"));
            eq > 0 && eq + 2 < args.size()) {
            cnf = args[eq + 1];
            fil = args[eq + 2];
        }
        int written = zor::editor::takeScreenshots(args[at + 1], cnf, fil);
        std::printf("%d screenshots written to %s\n", written, qPrintable(args[at + 1]));
        rc = written > 0 ? 0 : 1;
    } else {
        zor::editor::formMain->show();
        rc = app.exec();
    }
    zor::editor::destroyWindows();
    return rc;
}
