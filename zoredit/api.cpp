// The exported C functions: argument checks, the one library state, and the
// wall that keeps every exception inside.
#include <cstring>
#include <new>
#include <string>

#include "platform/platform.h"
#include "zoredit/cnf_reader.h"
#include "zoredit/fil_reader.h"
#include "zoredit/memory.h"
#include "zoredit/records.h"
#include "zoredit/source_edit.h"
#include "zoredit/source_writer.h"
#include "zoredit/store.h"
#include "zoredit/text_util.h"
#include "zoredit/values.h"
#include "zoredit/zoredit.h"

namespace zor::edit {
namespace {

struct Library {
    TEq_Mgr settings{};
    Store store;
    bool loaded = false;
    int mode = 0;
    int write_way = ZOR_WRITE_WHOLE;
    std::string last_error;
    // The source at `known_path` stands for the saved definitions.
    KnownSource known;
    std::string known_path;
};

Library& lib() {
    static Library library;
    return library;
}

int fail(std::string why, int code = ZOR_E_FAIL) {
    lib().last_error = std::move(why);
    return code;
}

// Runs `f`, turning any exception into `failure`.
template <class F>
auto guarded(decltype(std::declval<F>()()) failure, F f) -> decltype(f()) {
    try {
        return f();
    } catch (const std::bad_alloc&) {
        lib().last_error = "out of memory";
    } catch (const std::exception& e) {
        lib().last_error = e.what();
    } catch (...) {
        lib().last_error = "unexpected failure";
    }
    return failure;
}

const std::string& text_id_of(const ProcessProgram& d) { return d.ppid.text; }
const std::string& text_id_of(const FormattedProgram& d) { return d.ppid.text; }
const std::string& text_id_of(const Recipe& d) { return d.id; }
const std::string& text_id_of(const Trace& d) { return d.trid.text; }

template <class Def>
int bin_list(int eq, const Table<Def>& t, TBIN_DLIST** out) {
    if (!out) return fail("no place for the list");
    *out = nullptr;
    if (eq != 0) return fail("unknown equipment");
    return guarded(ZOR_E_FAIL, [&] {
        auto* list = alloc_array<TBIN_DLIST>(1);
        try {
            size_t n = t.size();
            if (n > 0) {
                list->ids = alloc_array<int32_t>(n);
                list->names = alloc_array<char*>(n);
                list->count = static_cast<int32_t>(n);
                for (size_t i = 0; i < n; ++i) {
                    list->ids[i] = t.entries()[i].def.id;
                    list->names[i] = dup_text(t.entries()[i].def.name);
                }
            }
        } catch (...) {
            ZorFreeTBIN_DLIST(list);
            throw;
        }
        *out = list;
        return list->count;
    });
}

template <class Def>
int text_list(int eq, const Table<Def>& t, TTEXT_DLIST** out) {
    if (!out) return fail("no place for the list");
    *out = nullptr;
    if (eq != 0) return fail("unknown equipment");
    return guarded(ZOR_E_FAIL, [&] {
        auto* list = alloc_array<TTEXT_DLIST>(1);
        try {
            size_t n = t.size();
            if (n > 0) {
                list->ids = alloc_array<char*>(n);
                list->names = alloc_array<char*>(n);
                list->count = static_cast<int32_t>(n);
                for (size_t i = 0; i < n; ++i) {
                    list->ids[i] = dup_text(text_id_of(t.entries()[i].def));
                    list->names[i] = dup_text(t.entries()[i].def.name);
                }
            }
        } catch (...) {
            ZorFreeTTEXT_DLIST(list);
            throw;
        }
        *out = list;
        return list->count;
    });
}

template <class Def, class Rec>
int get_def(int eq, const Table<Def>& t, const std::string& key, Rec* r) {
    if (!r) return fail("no record");
    std::memset(r, 0, sizeof *r);
    if (eq != 0) return fail("unknown equipment");
    return guarded(ZOR_E_FAIL, [&] {
        const Entry<Def>* e = t.get(key);
        if (!e) return fail("no definition with that ID", ZOR_E_NOTFOUND);
        fill_record(e->def, e->deleted, lib().store, r);
        return ZOR_OK;
    });
}

// Adds or replaces the definition a record describes; `take` builds it.
template <class Def, class Rec, class Take>
int set_def(int eq, Table<Def>& t, const Rec* r, Take take) {
    if (eq != 0) return fail("unknown equipment");
    if (!r) return fail("no record");
    if (!lib().loaded) return fail("no equipment loaded");
    return guarded(ZOR_E_FAIL, [&] {
        Def def;
        std::string error;
        if (!take(def, error)) return fail(error);
        std::string key = key_of(def);
        bool deleted = r->deleted != 0;
        if (!deleted && t.name_taken(def.name, key))
            return fail("the name \"" + def.name + "\" is used by another definition");
        if (t.find(key) == Table<Def>::npos && t.size() >= kMaxDefinitions)
            return fail("more than " + std::to_string(kMaxDefinitions) + " definitions");
        t.put(std::move(def), deleted);
        return ZOR_OK;
    });
}

// What a set builds on. A live record under a deleted definition's key is a
// new definition: the deleted one's hidden entries and formats are not its.
template <class Def, class Rec>
const Def* held_def(const Table<Def>& t, const std::string& key, const Rec& r) {
    const Entry<Def>* e = t.get(key);
    if (!e || (e->deleted && r.deleted == 0)) return nullptr;
    return &e->def;
}

std::string text_key_or_empty(const char* id) { return id ? text_key(id) : std::string(); }

// The key a record names: its numeric ID or its text ID.
template <class Rec>
std::string key_in(const Rec& r, int32_t Rec::*id) {
    return numeric_key(r.*id);
}
template <class Rec>
std::string key_in(const Rec& r, char* Rec::*id) {
    return text_key_or_empty(r.*id);
}

// A set of one kind: its table and the record's ID field are all that differ.
template <class Def, class Rec, class Id>
int set_kind(int eq, const Rec* r, Table<Def> Store::*table, Id Rec::*id) {
    Table<Def>& t = lib().store.*table;
    return set_def(eq, t, r, [&](Def& out, std::string& error) {
        return take_record(*r, held_def(t, key_in(*r, id), *r), lib().store, out, error);
    });
}

int set_variable(int eq, Kind kind, const TV_INFO* r) {
    Table<Variable>& t = lib().store.variables(kind);
    return set_def(eq, t, r, [&](Variable& out, std::string& error) {
        return take_record(*r, kind, held_def(t, key_in(*r, &TV_INFO::vid), *r), lib().store, out,
                           error);
    });
}

int get_variable(int eq, Kind kind, int32_t vid, TV_INFO* r) {
    return get_def(eq, lib().store.variables(kind), numeric_key(vid), r);
}

int copy_name(const std::optional<std::string>& name, char* buffer, int size, int32_t* length) {
    if (!name) {
        if (buffer && size > 0) buffer[0] = '\0';
        return fail("no definition with that ID", ZOR_E_NOTFOUND);
    }
    if (length) *length = static_cast<int32_t>(name->size());
    if (!copy_to_buffer(*name, buffer, size))
        return fail("the name does not fit the buffer", ZOR_E_NOSPACE);
    return ZOR_OK;
}

Table<Spool>& spools() { return lib().store.sp; }

// A new stream gets a block name no other spool block has.
std::string spool_name(int stream) {
    std::string base = "SP_S" + std::to_string(stream);
    std::string name = base;
    for (int n = 2; spools().find_name(name) != Table<Spool>::npos; ++n)
        name = base + "_" + std::to_string(n);
    return name;
}

}  // namespace
}  // namespace zor::edit

using namespace zor::edit;

extern "C" {

// ---- set-up and teardown ------------------------------------------------------------

int GemSetEditMode(int mode) {
    lib().mode = mode;
    return 0;
}

int GemSetupLibrary(int, int) { return 0; }

int GemSetupEquipment(int eq, const char* cnf_path, const char* object_file, char* err,
                      int err_size) {
    if (err && err_size > 0) err[0] = '\0';
    int result = guarded(ZOR_E_FAIL, [&] {
        if (eq != 0) return fail("unknown equipment");
        if (!cnf_path || !*cnf_path) return fail("no environment file named");
        if (object_file && *object_file)
            return fail("an object file is read by GemEditSetupEquipment");
        CnfValues values;
        std::string error;
        if (!read_cnf_file(cnf_path, values, error)) return fail(error);
        fill_settings(values, lib().settings);
        return ZOR_OK;
    });
    if (result < 0) copy_message(lib().last_error, err, err_size);
    return result;
}

TEq_Mgr* ZorGetTEq_MgrPtr(int eq) { return eq == 0 ? &lib().settings : nullptr; }

int GemEditSetupEquipment(int eq, const char* cnf_path, const char* fil_path, char* err,
                          int err_size) {
    if (err && err_size > 0) err[0] = '\0';
    int result = guarded(ZOR_E_FAIL, [&] {
        if (eq != 0) return fail("unknown equipment");
        if (!cnf_path || !*cnf_path || !fil_path || !*fil_path)
            return fail("environment or object file not named");
        CnfValues values;
        std::string error;
        if (!read_cnf_file(cnf_path, values, error)) return fail(error);
        Equipment equipment;
        if (!read_fil_file(fil_path, equipment, error))
            return fail(std::string(fil_path) + ": " + error);
        Store fresh;
        fresh.load(std::move(equipment));
        fill_settings(values, lib().settings);
        lib().store = std::move(fresh);
        lib().loaded = true;
        lib().known.clear();
        return static_cast<int>(lib().store.size());
    });
    if (result < 0) copy_message(lib().last_error, err, err_size);
    return result;
}

int ZorCompareEqInfo(const char* source_path) {
    return guarded(ZOR_E_FAIL, [&] {
        if (!source_path || !*source_path) return fail("no source file named");
        if (!lib().loaded) return fail("no equipment loaded");
        std::string text, error;
        if (!zor::platform::read_whole_file(source_path, text, error) ||
            !lib().known.compare(std::move(text), lib().store))
            return 0;
        lib().known_path = source_path;
        return 1;
    });
}

int ZorWriteEqInfo(const char* source_path) {
    return guarded(ZOR_E_FAIL, [&] {
        if (!source_path || !*source_path) return fail("no source file named");
        if (!lib().loaded) return fail("no equipment loaded");
        // The source at the path is edited when the definitions were loaded
        // from it; anything else there is replaced by the whole source. A
        // source compared before, or written by the last save, is not
        // compared again while it is unchanged on disk.
        Library& l = lib();
        std::string text, error, original;
        bool edited = false;
        if (zor::platform::read_whole_file(source_path, original, error)) {
            if (l.known_path == source_path && l.known.holds(original))
                edited = l.known.edit(l.store, text);
            else
                edited = edit_source(original, l.store, text);
        }
        if (!edited && !write_source(l.store, text, error)) return fail(error);
        if (!replace_file(source_path, text, error)) return fail(error);
        l.store.mark_saved();
        l.known.assume(std::move(text));
        l.known_path = source_path;
        l.write_way = edited ? ZOR_WRITE_EDITED : ZOR_WRITE_WHOLE;
        return ZOR_OK;
    });
}

int ZorGetWriteWay(void) { return lib().write_way; }

int GemTerminateLibrary(void) {
    return guarded(ZOR_E_FAIL, [] {
        clear_settings(lib().settings);
        lib().store.clear();
        lib().known.clear();
        lib().loaded = false;
        return ZOR_OK;
    });
}

int ZorGetLastError(char* buffer, int buffer_size) {
    const std::string& e = lib().last_error;
    if (!copy_to_buffer(e, buffer, buffer_size)) return ZOR_E_NOSPACE;
    return static_cast<int>(e.size());
}

// ---- lists --------------------------------------------------------------------------

int GemGetEcList(int eq, TBIN_DLIST** list) { return bin_list(eq, lib().store.ec, list); }
int GemGetSvList(int eq, TBIN_DLIST** list) { return bin_list(eq, lib().store.sv, list); }
int GemGetDvList(int eq, TBIN_DLIST** list) { return bin_list(eq, lib().store.dv, list); }
int GemGetCeList(int eq, TBIN_DLIST** list) { return bin_list(eq, lib().store.ce, list); }
int GemGetRpList(int eq, TBIN_DLIST** list) { return bin_list(eq, lib().store.rp, list); }
int GemGetAlList(int eq, TBIN_DLIST** list) { return bin_list(eq, lib().store.al, list); }
int GemGetPpList(int eq, TTEXT_DLIST** list) { return text_list(eq, lib().store.pp, list); }
int GemGetFppList(int eq, TTEXT_DLIST** list) { return text_list(eq, lib().store.fp, list); }
int GemGetRcpList(int eq, TTEXT_DLIST** list) { return text_list(eq, lib().store.rc, list); }
int GemGetTrList(int eq, TTEXT_DLIST** list) { return text_list(eq, lib().store.tr, list); }

void ZorFreeTBIN_DLIST(TBIN_DLIST* list) {
    if (!list) return;
    if (list->names)
        for (int32_t i = 0; i < list->count; ++i) free_block(list->names[i]);
    free_block(list->names);
    free_block(list->ids);
    free_block(list);
}

void ZorFreeTTEXT_DLIST(TTEXT_DLIST* list) {
    if (!list) return;
    for (int32_t i = 0; i < list->count; ++i) {
        if (list->ids) free_block(list->ids[i]);
        if (list->names) free_block(list->names[i]);
    }
    free_block(list->names);
    free_block(list->ids);
    free_block(list);
}

// ---- get ------------------------------------------------------------------------------

int GemGetEcInfo(int eq, int32_t vid, TV_INFO* r) { return get_variable(eq, Kind::EC, vid, r); }
int GemGetSvInfo(int eq, int32_t vid, TV_INFO* r) { return get_variable(eq, Kind::SV, vid, r); }
int GemGetDvInfo(int eq, int32_t vid, TV_INFO* r) { return get_variable(eq, Kind::DV, vid, r); }
int GemGetCeInfo(int eq, int32_t id, TCE_INFO* r) {
    return get_def(eq, lib().store.ce, numeric_key(id), r);
}
int GemGetRpInfo(int eq, int32_t id, TRP_INFO* r) {
    return get_def(eq, lib().store.rp, numeric_key(id), r);
}
int GemGetAlInfo(int eq, int32_t id, TAL_INFO* r) {
    return get_def(eq, lib().store.al, numeric_key(id), r);
}
int GemGetPpInfo(int eq, const char* id, TPP_INFO* r) {
    return get_def(eq, lib().store.pp, text_key_or_empty(id), r);
}
int GemGetFppInfo(int eq, const char* id, TFPP_INFO* r) {
    return get_def(eq, lib().store.fp, text_key_or_empty(id), r);
}
int GemGetRcpInfo(int eq, const char* id, TRCP_INFO* r) {
    return get_def(eq, lib().store.rc, text_key_or_empty(id), r);
}
int GemGetTrInfo(int eq, const char* id, TTRACE_INFO* r) {
    return get_def(eq, lib().store.tr, text_key_or_empty(id), r);
}

// ---- set ------------------------------------------------------------------------------

int GemSetEcInfo(int eq, const TV_INFO* r) { return set_variable(eq, Kind::EC, r); }
int GemSetSvInfo(int eq, const TV_INFO* r) { return set_variable(eq, Kind::SV, r); }
int GemSetDvInfo(int eq, const TV_INFO* r) { return set_variable(eq, Kind::DV, r); }

int GemSetCeInfo(int eq, const TCE_INFO* r) { return set_kind(eq, r, &Store::ce, &TCE_INFO::ceid); }
int GemSetRpInfo(int eq, const TRP_INFO* r) { return set_kind(eq, r, &Store::rp, &TRP_INFO::rpid); }
int GemSetAlInfo(int eq, const TAL_INFO* r) { return set_kind(eq, r, &Store::al, &TAL_INFO::alid); }
int GemSetPpInfo(int eq, const TPP_INFO* r) { return set_kind(eq, r, &Store::pp, &TPP_INFO::ppid); }
int GemSetFppInfo(int eq, const TFPP_INFO* r) {
    return set_kind(eq, r, &Store::fp, &TFPP_INFO::ppid);
}
int GemSetRcpInfo(int eq, const TRCP_INFO* r) {
    return set_kind(eq, r, &Store::rc, &TRCP_INFO::rcpid);
}
int GemSetTrInfo(int eq, const TTRACE_INFO* r) {
    return set_kind(eq, r, &Store::tr, &TTRACE_INFO::trid);
}

// ---- free records ---------------------------------------------------------------------

void ZorFreeTV_INFO(TV_INFO* r) { free_record(r); }
void ZorFreeTCE_INFO(TCE_INFO* r) { free_record(r); }
void ZorFreeTRP_INFO(TRP_INFO* r) { free_record(r); }
void ZorFreeTAL_INFO(TAL_INFO* r) { free_record(r); }
void ZorFreeTPP_INFO(TPP_INFO* r) { free_record(r); }
void ZorFreeTFPP_INFO(TFPP_INFO* r) { free_record(r); }
void ZorFreeTRCP_INFO(TRCP_INFO* r) { free_record(r); }
void ZorFreeTTRACE_INFO(TTRACE_INFO* r) { free_record(r); }

// ---- spooling -------------------------------------------------------------------------

int GemGetSpoolInfo(int eq, int stream, int32_t* functions, int capacity) {
    if (eq != 0 || stream < 0 || stream > 255) return fail("bad equipment or stream");
    const Entry<Spool>* e = spools().get(numeric_key(stream));
    if (!e || e->deleted) return 0;
    const auto& f = e->def.functions;
    if (f.empty()) return 0;
    if (!functions || capacity < 0 || f.size() > static_cast<size_t>(capacity))
        return fail("the functions do not fit the buffer", ZOR_E_NOSPACE);
    std::memcpy(functions, f.data(), f.size() * sizeof(int32_t));
    return static_cast<int>(f.size());
}

int GemSetSpoolInfo(int eq, int stream, int count, const int32_t* functions) {
    if (eq != 0 || stream < 0 || stream > 255) return fail("bad equipment or stream");
    if (!lib().loaded) return fail("no equipment loaded");
    if (count < 0 || static_cast<size_t>(count) > kMaxList || (count > 0 && !functions))
        return fail("bad function count");
    return guarded(ZOR_E_FAIL, [&] {
        const Entry<Spool>* held = spools().get(numeric_key(stream));
        Spool s;
        s.name = held ? held->def.name : spool_name(stream);
        s.stream = stream;
        for (int i = 0; i < count; ++i) s.functions.push_back(functions[i] & 0xff);
        if (!held && spools().size() >= kMaxDefinitions) return fail("too many spool settings");
        spools().put(std::move(s), false);
        return ZOR_OK;
    });
}

int GemResetSpoolInfo(int eq, int stream) {
    if (eq != 0 || stream < 0 || stream > 255) return fail("bad equipment or stream");
    return guarded(ZOR_E_FAIL, [&] {
        return spools().remove(numeric_key(stream))
                   ? ZOR_OK
                   : fail("no setting for that stream", ZOR_E_NOTFOUND);
    });
}

int GemResetAllSpoolInfo(int eq) {
    if (eq != 0) return fail("unknown equipment");
    return guarded(ZOR_E_FAIL, [] {
        spools().remove_all();
        return ZOR_OK;
    });
}

// ---- names ----------------------------------------------------------------------------

int GemGetVName(int eq, int32_t vid, char* buffer, int32_t* length, int buffer_size) {
    if (eq != 0) return fail("unknown equipment");
    return guarded(ZOR_E_FAIL, [&] {
        return copy_name(lib().store.name_of(Link::Variable, vid), buffer, buffer_size, length);
    });
}

int GemGetRpName(int eq, int32_t rpid, char* buffer, int buffer_size) {
    if (eq != 0) return fail("unknown equipment");
    return guarded(ZOR_E_FAIL, [&] {
        return copy_name(lib().store.name_of(Link::Report, rpid), buffer, buffer_size, nullptr);
    });
}

int GemGetCeName(int eq, int32_t ceid, char* buffer, int buffer_size) {
    if (eq != 0) return fail("unknown equipment");
    return guarded(ZOR_E_FAIL, [&] {
        return copy_name(lib().store.name_of(Link::Event, ceid), buffer, buffer_size, nullptr);
    });
}

// ---- values ---------------------------------------------------------------------------

int zor_get_item_code(const char* name) { return name ? format_code_of(name) : -1; }

const char* zor_get_item_name(int code) {
    const FormatInfo* f = find_format(code);
    return f ? f->picker_name.data() : "";
}

int zor_get_item_unit_size(int code) {
    const FormatInfo* f = find_format(code);
    return f ? f->unit : 0;
}

int zor_atoi(const char* text) { return text ? parse_int(text) : 0; }

int zor_set_vdval(void* dest, const void* value, int code, int capacity, int count) {
    return guarded(ZOR_E_FAIL, [&] { return set_value(dest, value, code, capacity, count); });
}

char* zor_edit_vdval(char* text, int code, const void* value, int index, int text_size) {
    if (!text || text_size <= 0) return nullptr;
    return guarded(static_cast<char*>(nullptr), [&]() -> char* {
        if (!copy_to_buffer(value_text(code, value, index), text, text_size)) return nullptr;
        return text;
    });
}

}  // extern "C"
