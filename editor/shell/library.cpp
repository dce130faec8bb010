#include "editor/shell/library.h"

#include <QByteArray>
#include <algorithm>
#include <climits>

#include "editor/shell/action.h"
#include "editor/shell/sjis.h"

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

bool compareEqInfo(const QString& sourcePath) {
    QByteArray path = toSjis(sourcePath);
    return ZorCompareEqInfo(path.constData()) == 1;
}

int writeEqInfo(const QString& sourcePath) {
    QByteArray path = toSjis(sourcePath);
    return ZorWriteEqInfo(path.constData());
}

QString lastError() {
    char buffer[kErrorRoom] = {};
    ZorGetLastError(buffer, sizeof buffer);
    return fromSjis(buffer);
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

void* allocBlock(qint64 size) {
    void* block = size >= 0 && size <= INT_MAX ? ZorAllocMem(static_cast<int>(size)) : nullptr;
    if (!block)
        throw ActionError(QStringLiteral("ZorAllocMem: %1 bytes could not be allocated").arg(size));
    return block;
}

char* allocText(const QString& text, int extra) {
    const QByteArray bytes = toSjis(text);
    char* copy = allocArray<char>(static_cast<int>(bytes.size()) + std::max(extra, 1));
    std::memcpy(copy, bytes.constData(), static_cast<size_t>(bytes.size()));
    return copy;
}

void freeRecord(TV_INFO* r) { ZorFreeTV_INFO(r); }
void freeRecord(TCE_INFO* r) { ZorFreeTCE_INFO(r); }
void freeRecord(TRP_INFO* r) { ZorFreeTRP_INFO(r); }
void freeRecord(TAL_INFO* r) { ZorFreeTAL_INFO(r); }
void freeRecord(TPP_INFO* r) { ZorFreeTPP_INFO(r); }
void freeRecord(TFPP_INFO* r) { ZorFreeTFPP_INFO(r); }
void freeRecord(TRCP_INFO* r) { ZorFreeTRCP_INFO(r); }
void freeRecord(TTRACE_INFO* r) { ZorFreeTTRACE_INFO(r); }

const VariableCalls& variableCalls(int mode) {
    static constexpr VariableCalls kModes[] = {
        {GemGetEcList, GemGetEcInfo, GemSetEcInfo},
        {GemGetSvList, GemGetSvInfo, GemSetSvInfo},
        {GemGetDvList, GemGetDvInfo, GemSetDvInfo},
    };
    return kModes[mode >= 0 && mode <= 2 ? mode : 1];
}

namespace {

// One loop for both kinds of list: copies the entries out and frees the list.
template <typename Entry, typename List, typename MakeId>
std::vector<Entry> entriesOf(int (*listFn)(int, List**), void (*freeList)(List*), MakeId makeId) {
    std::vector<Entry> out;
    List* list = nullptr;
    listFn(0, &list);
    if (!list) return out;
    out.reserve(static_cast<size_t>(std::max(list->count, 0)));
    for (int32_t i = 0; i < list->count; ++i)
        out.push_back({makeId(list->ids[i]), fromSjis(list->names[i])});
    freeList(list);
    return out;
}

// A name look-up into a buffer that holds the longest text the library keeps.
template <typename Lookup>
QString nameOf(Lookup lookup) {
    QByteArray buffer(ZOR_MAX_TEXT + 1, '\0');
    if (lookup(buffer.data(), static_cast<int>(buffer.size())) < 0) return {};
    return fromSjis(buffer.constData());
}

}  // namespace

std::vector<IdName> binList(int (*listFn)(int, TBIN_DLIST**)) {
    return entriesOf<IdName>(listFn, ZorFreeTBIN_DLIST, [](int32_t id) { return id; });
}

std::vector<TextIdName> textList(int (*listFn)(int, TTEXT_DLIST**)) {
    return entriesOf<TextIdName>(listFn, ZorFreeTTEXT_DLIST,
                                 [](const char* id) { return fromSjis(id); });
}

QString variableName(int32_t vid) {
    return nameOf([vid](char* buffer, int size) {
        int32_t length = 0;
        return GemGetVName(0, vid, buffer, &length, size);
    });
}

QString reportName(int32_t rpid) {
    return nameOf([rpid](char* buffer, int size) { return GemGetRpName(0, rpid, buffer, size); });
}

QString eventName(int32_t ceid) {
    return nameOf([ceid](char* buffer, int size) { return GemGetCeName(0, ceid, buffer, size); });
}

QString valueText(int code, const void* value) {
    if (!value) return {};
    QByteArray text(ZOR_MAX_TEXT + 64, '\0');
    const char* shown = zor_edit_vdval(text.data(), code, value, 0, static_cast<int>(text.size()));
    return shown ? fromSjis(shown) : QString();
}

}  // namespace zor::editor::lib
