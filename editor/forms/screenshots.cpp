#include "editor/forms/screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <vector>

#include "editor/forms/formalset.h"
#include "editor/forms/formceset.h"
#include "editor/forms/formfppset.h"
#include "editor/forms/formppset.h"
#include "editor/forms/formrcpset.h"
#include "editor/forms/formrpset.h"
#include "editor/forms/formspset.h"
#include "editor/forms/formtrset.h"
#include "editor/forms/formvset.h"
#include "editor/forms/windows.h"
#include "editor/shell/action.h"
#include "editor/shell/form.h"
#include "editor/shell/formcgrid.h"
#include "editor/shell/formeqconf.h"
#include "editor/shell/formmain.h"
#include "editor/shell/formvconf.h"
#include "editor/shell/library.h"
#include "editor/shell/seam.h"

namespace zor::editor {

namespace {
void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The variable editor, once per mode (EC, SV, DVVAL), each with one
// variable shown in the detail.
int variableShots(const QString& dir, int n) {
    const char* const modes[] = {"EC", "SV", "DVVAL"};
    const int shownRow[] = {1, 3, 3};
    int written = 0;
    for (int mode = 0; mode < 3; ++mode) {
        formVSet->mode = mode;
        formVSet->show();
        formVSet->Timer1Timer();
        formVSet->selectListRow(shownRow[mode]);
        runAction(formVSet, [] { formVSet->btnEditClick(); });
        settle(150);
        QString name = QStringLiteral("%1_formVSet_%2.png")
                           .arg(n, 2, 10, QLatin1Char('0'))
                           .arg(QLatin1String(modes[mode]));
        if (formVSet->grab().save(QDir(dir).filePath(name))) ++written;
        formVSet->hide();
    }
    return written;
}
// The definition editors that show one definition for the shot, and its row.
struct ShownRow {
    DefinitionForm* form;
    int row;
};
std::vector<ShownRow> shownRows() {
    return {{formCESet, 2},  {formRPSet, 1},  {formTRSet, 1}, {formPPSet, 1},
            {formFPPSet, 1}, {formRCPSet, 1}, {formALSet, 1}};
}

void showDefinition(Form* form) {
    if (form == formSPSet) {  // a stream's current setting in the function list
        formSPSet->edtS->setText(QStringLiteral("6"));
        runAction(formSPSet, [] { formSPSet->btnCurrentClick(); });
    }
    for (const ShownRow& s : shownRows()) {
        if (s.form != form) continue;
        s.form->selectListRow(s.row);
        runAction(s.form, [&] { s.form->btnEditClick(); });
    }
}
}  // namespace

int takeScreenshots(const QString& target, const QString& cnfFile, const QString& filFile) {
    UnattendedSeam unattended;
    SeamScope scope(unattended);
    // Paths resolved now: the main window makes the program directory
    // current when it is shown.
    auto absolute = [](const QString& path) {
        return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
    };
    const QString dir = absolute(target);
    const QString cnf = absolute(cnfFile);
    const QString fil = absolute(filFile);
    QDir().mkpath(dir);
    if (!cnf.isEmpty() && !fil.isEmpty()) {
        QString error;
        if (lib::editSetupEquipment(cnf, fil, &error) >= 0) {
            formMain->envFile = cnf;
            formMain->defFile = fil;
        }
    }
    int written = 0;
    int n = 0;
    for (Form* form : allWindows()) {
        ++n;
        if (form == formVSet) {
            written += variableShots(dir, n);
            continue;
        }
        // The key grid reads its file when it is shown.
        if (form == formCGrid && !cnf.isEmpty()) formCGrid->filePath = cnf;
        form->show();
        if (form == formEqConf && !cnf.isEmpty()) {
            formEqConf->ComboBox1->setCurrentIndex(0);
            formEqConf->edtFile->setText(cnf);
        }
        if (form == formVConf && !cnf.isEmpty()) {
            formVConf->edtConf->setText(cnf);
            formVConf->edtFile->setText(fil);
        }
        showDefinition(form);
        settle(150);
        QString name =
            QStringLiteral("%1_%2.png").arg(n, 2, 10, QLatin1Char('0')).arg(form->objectName());
        if (form->grab().save(QDir(dir).filePath(name))) ++written;
        form->hide();
    }
    return written;
}

}  // namespace zor::editor
