// ZorGemSet: the editor of equipment definitions and environment files.
//   ZorGemSet                                   the editor
//   ZorGemSet --screenshots DIR [--equipment CNF FIL]
//                                               a PNG of every window into DIR
//   ZorGemSet --help | --version
#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "editor/forms/screenshots.h"
#include "editor/forms/windows.h"
#include "editor/shell/formmain.h"

namespace {

// Answered before Qt starts, so they work without a display.
bool answeredOption(int argc, char** argv) {
    if (argc != 2) return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("ZorGemSet %s\n", ZOR_VERSION);
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::printf(
            "Usage: ZorGemSet\n"
            "       ZorGemSet --screenshots DIR [--equipment CNF FIL]\n"
            "The editor of SECS/GEM equipment definitions and environment files.\n"
            "\n"
            "  --screenshots DIR    write a PNG of every window into DIR and exit\n"
            "  --equipment CNF FIL  fill the windows of the screenshots from this equipment\n"
            "  --help               this text\n"
            "  --version            the program's name and version\n");
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (answeredOption(argc, argv)) return 0;
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
