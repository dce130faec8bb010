#pragma once
// The editor's side of zoredit: the calls the sessions make, with texts
// converted to Shift-JIS on the way in and back on the way out, and the
// caller buffers sized in one place; how an editor allocates, holds, lists,
// gets, sets and frees the records of every kind. Equipment number 0
// throughout.

#include <QString>
#include <cstdint>
#include <cstring>
#include <vector>

#include "zoredit/zoredit.h"

namespace zor::editor::lib {

void setEditMode(int mode);
// GemSetupLibrary(1, 0), as the environment session prepares the library.
int setupLibrary();
// GemSetupEquipment(0, env, 0, …): reads an environment file into the
// settings record; < 0 on failure with `error` set.
int setupEquipment(const QString& envFile, QString* error);
// ZorGetTEq_MgrPtr(0): the settings last read. Library-owned, never freed.
TEq_Mgr* equipmentSettings();
// GemEditSetupEquipment(0, env, object, …): < 0 on failure with `error` set.
int editSetupEquipment(const QString& envFile, const QString& objectFile, QString* error);
// ZorCompareEqInfo: true when the source at the path is the one the loaded
// definitions stand in; a save to it then edits it without comparing again.
bool compareEqInfo(const QString& sourcePath);
// ZorWriteEqInfo: 0 when the definitions were written as source text.
int writeEqInfo(const QString& sourcePath);
// ZorGetWriteWay: true when the last save rewrote only the changed
// definitions of the source, false when it wrote the whole source.
bool lastWriteEdited();
// ZorCreateProcess with the fixed title: 0 when started, else an error number.
int createProcess(const QString& program, const QString& arguments);
// ZorCreateNormalProcess: starts `program` on `file` without waiting.
void createNormalProcess(const QString& program, const QString& file);
void terminateLibrary();
// ZorGetLastError: why the last library call failed ("" when it did not say).
QString lastError();
// ZorBeep(kind, 50).
int beep(int kind);

// ---- memory --------------------------------------------------------------
// Blocks an editor puts into a record come from ZorAllocMem (zero-filled),
// so the kind's free function releases them. Each throws ActionError when
// the block cannot be had (no memory, or a size past what ZorAllocMem takes),
// which ends the user's action with the record still freeable.
void* allocBlock(qint64 size);
// `text` in Shift-JIS with its NUL and `extra - 1` further zero bytes.
// ActionError also for a text Shift-JIS cannot hold.
char* allocText(const QString& text, int extra = 1);
// `n` zeroed elements of T.
template <typename T>
T* allocArray(int n) {
    return static_cast<T*>(allocBlock(static_cast<qint64>(sizeof(T)) * n));
}

// ---- records ---------------------------------------------------------------
// The kind's ZorFree* function: frees what the record points to.
void freeRecord(TV_INFO* r);
void freeRecord(TCE_INFO* r);
void freeRecord(TRP_INFO* r);
void freeRecord(TAL_INFO* r);
void freeRecord(TPP_INFO* r);
void freeRecord(TFPP_INFO* r);
void freeRecord(TRCP_INFO* r);
void freeRecord(TTRACE_INFO* r);

// The one way an editor holds a record of zoredit: zeroed from the start,
// filled by a get or by the editor's own build, and freed with the kind's
// free function when it goes (a thrown conversion error included).
template <typename T>
class Record {
  public:
    Record() { zero(); }
    ~Record() { freeRecord(&record_); }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    T* get() { return &record_; }
    const T* get() const { return &record_; }
    T* operator->() { return &record_; }
    const T* operator->() const { return &record_; }
    T& operator*() { return record_; }
    const T& operator*() const { return record_; }
    // Frees what it holds and zeroes it, ready for the next get or build.
    void release() {
        freeRecord(&record_);
        zero();
    }

  private:
    void zero() { std::memset(static_cast<void*>(&record_), 0, sizeof record_); }
    T record_;
};

// What an editor calls for one kind: list its IDs, get one record, set one.
template <typename T, typename K, typename L>
struct Calls {
    using Record = T;
    using Key = K;
    using List = L;
    int (*list)(int, L**);
    int (*get)(int, K, T*);
    int (*set)(int, const T*);
};
using VariableCalls = Calls<TV_INFO, int32_t, TBIN_DLIST>;
inline constexpr Calls<TCE_INFO, int32_t, TBIN_DLIST> kCeCalls{GemGetCeList, GemGetCeInfo,
                                                               GemSetCeInfo};
inline constexpr Calls<TRP_INFO, int32_t, TBIN_DLIST> kReportCalls{GemGetRpList, GemGetRpInfo,
                                                                   GemSetRpInfo};
inline constexpr Calls<TAL_INFO, int32_t, TBIN_DLIST> kAlarmCalls{GemGetAlList, GemGetAlInfo,
                                                                  GemSetAlInfo};
inline constexpr Calls<TTRACE_INFO, const char*, TTEXT_DLIST> kTraceCalls{
    GemGetTrList, GemGetTrInfo, GemSetTrInfo};
inline constexpr Calls<TPP_INFO, const char*, TTEXT_DLIST> kPpCalls{GemGetPpList, GemGetPpInfo,
                                                                    GemSetPpInfo};
inline constexpr Calls<TFPP_INFO, const char*, TTEXT_DLIST> kFppCalls{GemGetFppList, GemGetFppInfo,
                                                                      GemSetFppInfo};
inline constexpr Calls<TRCP_INFO, const char*, TTEXT_DLIST> kRecipeCalls{
    GemGetRcpList, GemGetRcpInfo, GemSetRcpInfo};
// The calls of a variable mode: 0 EC, 1 SV, 2 DVVAL (any other: SV).
const VariableCalls& variableCalls(int mode);

// The deleted flag of the definition with `key`; false when the get fails.
template <typename C>
bool isDeleted(const C& calls, typename C::Key key) {
    Record<typename C::Record> record;
    return calls.get(0, key, record.get()) == 0 && record->deleted == 1;
}
// The soft delete: get, deleted flag 1, set. 0 when both calls returned 0.
template <typename C>
int softDelete(const C& calls, typename C::Key key) {
    Record<typename C::Record> record;
    int rc = calls.get(0, key, record.get());
    if (rc == 0) {
        record->deleted = 1;
        rc = calls.set(0, record.get());
    }
    return rc;
}

// ---- ID lists ----------------------------------------------------------------
// One entry of an ID list, names decoded. Lists hold every definition of the
// kind in source order, deleted ones alike: a caller that wants only live
// ones asks isDeleted().
struct IdName {
    int id;
    QString name;
};
struct TextIdName {
    QString id;
    QString name;
};
// Lists a kind through its list function and frees the library's list.
std::vector<IdName> binList(int (*listFn)(int, TBIN_DLIST**));
std::vector<TextIdName> textList(int (*listFn)(int, TTEXT_DLIST**));

// ---- names -------------------------------------------------------------------
// The name of the variable (EC, SV or DVVAL), report or event with this ID;
// "" when there is none.
QString variableName(int32_t vid);
QString reportName(int32_t rpid);
QString eventName(int32_t ceid);

// The display text of element 0 of a value buffer ("" for null).
QString valueText(int code, const void* value);

}  // namespace zor::editor::lib
