// ZorGemSet: the editor of equipment definitions and environment files.
#include <QApplication>

#include "editor/forms/windows.h"
#include "editor/shell/formmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZorGemSet"));
    zor::editor::createWindows();
    zor::editor::formMain->show();
    int rc = app.exec();
    zor::editor::destroyWindows();
    return rc;
}
