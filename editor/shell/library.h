#pragma once
// The shell's side of zoredit: the calls the sessions make, with texts
// converted to Shift-JIS on the way in and back on the way out, and the
// caller buffers sized in one place. Equipment number 0 throughout.

#include <QString>
#include <cstdint>
#include <vector>

struct TBIN_DLIST;
struct TEq_Mgr;
struct TV_INFO;

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
// ZorBeep(kind, 50).
int beep(int kind);

// One entry of an ID list, names decoded.
struct IdName {
    int id;
    QString name;
};
// Lists a kind through its list function (GemGetCeList, GemGetSvList, …) and
// frees the library's list.
std::vector<IdName> binList(int (*listFn)(int, TBIN_DLIST**));
// The list function of a variable kind: 0 EC, 1 SV, 2 DVVAL.
using VariableListFn = int (*)(int, TBIN_DLIST**);
using VariableGetFn = int (*)(int, int32_t, TV_INFO*);
VariableListFn variableList(int kind);
VariableGetFn variableGet(int kind);
// The display text of element 0 of a value buffer ("" for null).
QString valueText(int code, const void* value);

}  // namespace zor::editor::lib
