#include "editor/shell/library.h"

#include <QByteArray>
#include <algorithm>

#include "editor/shell/sjis.h"
#include "zoredit/zoredit.h"

namespace zor::editor::lib {

namespace {
// Error texts of zoredit are cut to fit; this room shows a whole line.
constexpr int kErrorRoom = 1024;
}  // namespace

void setEditMode(int mode) { GemSetEditMode(mode); }

int setupLibrary() { return GemSetupLibrary(1, 0); }

int setupEquipment(const QString& envFile, QString* error) {
    QByteArray env = toSjis(envFile);
    char buffer[kErrorRoom] = {};
    int rc = GemSetupEquipment(0, env.constData(), nullptr, buffer, sizeof buffer);
    if (error) *error = fromSjis(buffer);
    return rc;
}

TEq_Mgr* equipmentSettings() { return ZorGetTEq_MgrPtr(0); }

int editSetupEquipment(const QString& envFile, const QString& objectFile, QString* error) {
    QByteArray env = toSjis(envFile);
    QByteArray obj = toSjis(objectFile);
    char buffer[kErrorRoom] = {};
    int rc = GemEditSetupEquipment(0, env.constData(), obj.constData(), buffer, sizeof buffer);
    if (error) *error = fromSjis(buffer);
    return rc;
}

int writeEqInfo(const QString& sourcePath) {
    QByteArray path = toSjis(sourcePath);
    return ZorWriteEqInfo(path.constData());
}

bool lastWriteEdited() { return ZorGetWriteWay() == ZOR_WRITE_EDITED; }

int createProcess(const QString& program, const QString& arguments) {
    QByteArray prog = toSjis(program);
    QByteArray args = toSjis(arguments);
    QByteArray title = toSjis(QStringLiteral("装置GEM情報ﾌｧｲﾙのｺﾝﾊﾟｲﾙ"));
    char message[256] = {};
    return ZorCreateProcess(prog.constData(), args.constData(), title.constData(), message,
                            sizeof message);
}

void createNormalProcess(const QString& program, const QString& file) {
    QByteArray prog = toSjis(program);
    QByteArray path = toSjis(file);
    ZorCreateNormalProcess(prog.constData(), path.constData());
}

void terminateLibrary() { GemTerminateLibrary(); }

int beep(int kind) { return ZorBeep(kind, 50); }

std::vector<IdName> binList(int (*listFn)(int, TBIN_DLIST**)) {
    std::vector<IdName> out;
    TBIN_DLIST* list = nullptr;
    listFn(0, &list);
    if (!list) return out;
    out.reserve(static_cast<size_t>(std::max(list->count, 0)));
    for (int32_t i = 0; i < list->count; ++i)
        out.push_back({list->ids[i], fromSjis(list->names[i])});
    ZorFreeTBIN_DLIST(list);
    return out;
}

VariableListFn variableList(int kind) {
    switch (kind) {
        case 0:
            return GemGetEcList;
        case 2:
            return GemGetDvList;
        default:
            return GemGetSvList;
    }
}

VariableGetFn variableGet(int kind) {
    switch (kind) {
        case 0:
            return GemGetEcInfo;
        case 2:
            return GemGetDvInfo;
        default:
            return GemGetSvInfo;
    }
}

QString valueText(int code, const void* value) {
    if (!value) return {};
    QByteArray text(ZOR_MAX_TEXT + 64, '\0');
    const char* shown = zor_edit_vdval(text.data(), code, value, 0, static_cast<int>(text.size()));
    return shown ? fromSjis(shown) : QString();
}

}  // namespace zor::editor::lib
