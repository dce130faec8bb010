#include "editor/forms/windows.h"

#include "editor/forms/formalset.h"
#include "editor/forms/formcelist.h"
#include "editor/forms/formceset.h"
#include "editor/forms/formfmt.h"
#include "editor/forms/formfppset.h"
#include "editor/forms/forml_v.h"
#include "editor/forms/formppset.h"
#include "editor/forms/formrcpset.h"
#include "editor/forms/formrplist.h"
#include "editor/forms/formrpset.h"
#include "editor/forms/formspset.h"
#include "editor/forms/formtrset.h"
#include "editor/forms/formvlist.h"
#include "editor/forms/formvset.h"
#include "editor/shell/formcgrid.h"
#include "editor/shell/formeqconf.h"
#include "editor/shell/formhist.h"
#include "editor/shell/formmain.h"
#include "editor/shell/formvconf.h"
#include "editor/shell/formvmenu.h"

namespace zor::editor {

namespace {

QList<Form*> created;

template <typename T>
void create(T*& instance) {
    if (!instance) instance = new T;
    created << instance;
}

template <typename T>
void destroy(T*& instance) {
    delete instance;
    instance = nullptr;
}

void bindMenu() {
    using M = EditorLaunch::Mode;
    auto variables = [](int kind) {
        return EditorLaunch{formVSet, M::Modeless, [kind] { formVSet->mode = kind; }};
    };
    formVMenu->setLaunch(QStringLiteral("btnEc"), variables(0));
    formVMenu->setLaunch(QStringLiteral("btnSV"), variables(1));
    formVMenu->setLaunch(QStringLiteral("btnDV"), variables(2));
    formVMenu->setLaunch(QStringLiteral("btnTRACE"), {formTRSet, M::Modal, {}});
    formVMenu->setLaunch(QStringLiteral("btnCE"), {formCESet, M::Modal, {}});
    formVMenu->setLaunch(QStringLiteral("btnREPORT"), {formRPSet, M::Modal, {}});
    formVMenu->setLaunch(QStringLiteral("btnALARM"), {formALSet, M::Modal, {}});
    formVMenu->setLaunch(QStringLiteral("btnPP"), {formPPSet, M::Modal, {}});
    formVMenu->setLaunch(QStringLiteral("btnFPP"), {formFPPSet, M::ModalOnTop, {}});
    formVMenu->setLaunch(QStringLiteral("btnRCP"), {formRCPSet, M::ModalOnTop, {}});
    formVMenu->setLaunch(QStringLiteral("btnSPOLL"), {formSPSet, M::ModalOnTop, {}});
}

}  // namespace

void createWindows() {
    create(formMain);
    create(formEqConf);
    create(formHist);
    create(formCGrid);
    create(formVConf);
    create(formVMenu);
    create(formVSet);
    create(formFmt);
    create(formCElist);
    create(formRPlist);
    create(formCESet);
    create(formVlist);
    create(formRPSet);
    create(formPPSet);
    create(formALSet);
    create(formFPPSet);
    create(formRCPSet);
    create(formTRSet);
    create(formSPSet);
    create(formL_V);
    bindMenu();
}

QList<Form*> allWindows() { return created; }

void destroyWindows() {
    created.clear();
    destroy(formL_V);
    destroy(formSPSet);
    destroy(formTRSet);
    destroy(formRCPSet);
    destroy(formFPPSet);
    destroy(formALSet);
    destroy(formPPSet);
    destroy(formRPSet);
    destroy(formVlist);
    destroy(formCESet);
    destroy(formRPlist);
    destroy(formCElist);
    destroy(formFmt);
    destroy(formVSet);
    destroy(formVMenu);
    destroy(formVConf);
    destroy(formCGrid);
    destroy(formHist);
    destroy(formEqConf);
    destroy(formMain);
}

}  // namespace zor::editor
