#pragma once
// zoredit: the editing library. Loads an equipment environment file (.cnf) and
// an object file (.fil), holds the definitions while an editor lists, reads,
// changes and soft-deletes them, and writes them back as definition source
// text for ZorCompile.
//
// Conventions that hold for every function below:
// - The first argument `eq` is the equipment number; only 0 is served, any
//   other number makes the call fail (negative result, or null).
// - Texts are NUL-terminated Shift-JIS byte strings; the library passes their
//   bytes through unchanged.
// - Results: 0 or a count on success, a negative ZOR_E_* value on failure.
// - Memory: every block the library hands out comes from ZorAllocMem and is
//   released with ZorFreeMem or the kind's ZorFree* function; every block a
//   caller puts into a record must come from ZorAllocMem too. Sets deep-copy
//   the record: the library keeps nothing of the caller's, and the caller
//   still frees its record after the set.
// - Buffers: a call that writes into a caller's buffer takes the buffer's
//   size (in bytes, or in entries where stated) as its last argument and never
//   writes past it. A text that does not fit is not cut: the call returns
//   ZOR_E_NOSPACE and leaves an empty text (error texts are the exception: they
//   are cut at a character boundary and end in "...").
// - No exception ever leaves a function of this header.
// - Not thread-safe: one thread (the editor's GUI thread) calls the library.

#include <stdint.h>

#if defined(_WIN32)
#define ZOREDIT_API __declspec(dllexport)
#else
#define ZOREDIT_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// ---- results -----------------------------------------------------------------
#define ZOR_OK 0
#define ZOR_E_FAIL (-1)      // bad argument, nothing loaded, invalid record, I/O error
#define ZOR_E_NOTFOUND (-2)  // no definition with that ID (or name)
#define ZOR_E_NOSPACE (-3)   // the result does not fit the caller's buffer

// ---- limits the compiler's language sets ------------------------------------
#define ZOR_MAX_DEFS 8192       // definitions per kind
#define ZOR_MAX_LIST 256        // entries of one list within a definition
#define ZOR_MAX_LIST_VIDS 2048  // VIDs of one list (format L) variable, counted by its nominal
#define ZOR_MAX_TEXT 4000       // bytes of one text (a source line holds 4095)
#define ZOR_MAX_VALUES 4096     // elements in a value buffer handed out by a get

// ---- ZorGetWriteWay ----------------------------------------------------------
#define ZOR_WRITE_WHOLE 0   // the whole source was written
#define ZOR_WRITE_EDITED 1  // only the changed definitions were rewritten

// ---- SECS-II item format codes (format byte shifted right by two) ------------
#define ZOR_FMT_L 0
#define ZOR_FMT_B 8
#define ZOR_FMT_BOOLEAN 9
#define ZOR_FMT_A 16
#define ZOR_FMT_J 17
#define ZOR_FMT_I8 24
#define ZOR_FMT_I1 25
#define ZOR_FMT_I2 26
#define ZOR_FMT_I4 28
#define ZOR_FMT_F8 32
#define ZOR_FMT_F4 36
#define ZOR_FMT_U8 40
#define ZOR_FMT_U1 41
#define ZOR_FMT_U2 42
#define ZOR_FMT_U4 44
#define ZOR_FMT_LEND 61

// =============================================================================
// Records. Field names and order as the editors use them; `reserved_NN` members
// stand for the bytes at offset NN that the editors do not use (keep them 0).
// Sizes and offsets are those of a 32-bit build; a 64-bit build differs only
// in pointer widths (and the padding they bring).
// =============================================================================

// ---- environment settings (library-owned, see ZorGetTEq_MgrPtr) -------------
// Texts are null when the key was not given or its value was empty; numbers
// are 0 then.
typedef struct TEq_Mgr {
    uint8_t reserved_0[20];
    char* eng_file;       // 20 ENG_FILE
    char* applog;         // 24 APPLOG
    char* englog;         // 28 ENGLOG
    int32_t applog_on;    // 32 APPLOG_ON
    int32_t englog_on;    // 36 ENGLOG_ON
    int32_t applog_size;  // 40 APPLOG_SIZE
    int32_t englog_size;  // 44 ENGLOG_SIZE
    char* shmfile;        // 48 SHMFILE
    char* shmname;        // 52 SHMNAME
    char* ipc_app1;       // 56 IPC_APP1
    char* ipc_eng1;       // 60 IPC_ENG1
    int32_t ipc_timeout;  // 64 IPC_TIMEOUT
    char* log_path;       // 68 LOG_PATH
    char* log_file;       // 72 LOG_FILE
    int32_t log_size;     // 76 LOG_SIZE
    char* eng_path;       // 80 ENG_PATH
    char* bkup_path;      // 84 BKUP_PATH
    char* spool_path;     // 88 SPOOL_PATH
    uint8_t reserved_92[8];
    int32_t pp_count;      // 100 PP_COUNT
    int32_t fpp_count;     // 104 FPP_COUNT
    int32_t rcp_count;     // 108 RCP_COUNT
    int32_t car_count;     // 112 CAR_COUNT
    int32_t car_capacity;  // 116 CAR_CAPACITY
    int32_t subst_count;   // 120 SUBST_COUNT
    int32_t cj_count;      // 124 CJ_COUNT
    int32_t prj_count;     // 128 PRJ_COUNT
    int32_t trace_count;   // 132 TRACE_COUNT
    uint8_t reserved_136[8];
    char* info_file;      // 144 INFO_FILE
    int32_t info_backup;  // 148 INFO_BACKUP
    uint8_t reserved_152[28];
    char* commdef;        // 180 COMMDEF
    int32_t comm_side;    // 184 COMM_SIDE: 0 HOST, 1 EQUIPMENT
    int32_t comm_port;    // 188 COMM_PORT
    int32_t comm_device;  // 192 COMM_DEVICE
    uint8_t reserved_196[8];
    int32_t s1f13_send;  // 204 S1F13_SEND
} TEq_Mgr;

// ---- ID lists (library-owned until freed) -------------------------------------
// All definitions of the kind in source order, deleted ones included; names[i]
// belongs to ids[i]. Both arrays are null when count is 0.
typedef struct TBIN_DLIST {
    int32_t count;
    int32_t* ids;
    char** names;
} TBIN_DLIST;

typedef struct TTEXT_DLIST {
    int32_t count;
    char** ids;
    char** names;
} TTEXT_DLIST;

// ---- variables: EC, SV, DVVAL ---------------------------------------------------
// Value buffers (min, max, nominal, upper, low) hold elements of `format` laid
// out as zor_set_vdval writes them: for A and J a NUL-terminated text, for
// every other format `size` elements of zor_get_item_unit_size(format) bytes
// each (one value repeated; a get hands out at most ZOR_MAX_VALUES elements),
// native byte order. For L the value is the element count as an int32.
typedef struct TV_LIMIT {
    int32_t limit_id;  // 0
    void* upper;       // 4
    void* low;         // 8
} TV_LIMIT;

// The VIDs of a list (format L) variable.
typedef struct TV_LIST {
    int32_t reserved_0;  // 0: the library writes item_count here on a get, ignores it on a set
    int32_t* vids;       // 4: item_count VIDs (0 for an element whose name names no variable)
    char** names;        // 8: item_count names, each its own block
} TV_LIST;

typedef struct TV_INFO {
    int32_t vid;              // 0
    char* name;               // 4
    uint8_t format;           // 8
    uint8_t reserved_9[3];    // 9
    int32_t size;             // 12 number of elements
    uint8_t reserved_16[12];  // 16
    void* min;                // 28 value buffer or null
    void* max;                // 32 value buffer or null
    void* nominal;            // 36 value buffer or null
    char* units;              // 40 text, never null after a get (empty when not given)
    uint8_t reserved_44[12];  // 44
    int32_t item_count;       // 56 limits, or for format L the number of VIDs
    union {
        TV_LIMIT** limits;    // format other than L: item_count pointers to limit records
        TV_LIST* list;        // format L: one list record (null when item_count is 0)
    } items;                  // 60
    int32_t ceid_count;       // 64
    uint8_t reserved_68[4];   // 68
    int32_t* ceids;           // 72 ceid_count CEIDs of the linked events
    uint8_t reserved_76[36];  // 76
    int32_t deleted;          // 112 1 = soft-deleted
} TV_INFO;

// ---- collection events, reports, alarms -----------------------------------------
typedef struct TCE_INFO {
    int32_t ceid;            // 0
    char* name;              // 4
    int32_t ceed;            // 8 0 disabled, 1 enabled
    int32_t rpid_count;      // 12
    uint8_t reserved_16[4];  // 16
    int32_t* rpids;          // 20 linked reports in link order
    int32_t deleted;         // 24
} TCE_INFO;

typedef struct TRP_INFO {
    int32_t rpid;            // 0
    char* name;              // 4
    int32_t vid_count;       // 8
    uint8_t reserved_12[4];  // 12
    int32_t* vids;           // 16 variables in report order
    uint8_t reserved_20[4];  // 20
    int32_t deleted;         // 24
} TRP_INFO;

typedef struct TAL_INFO {
    int32_t alid;            // 0
    char* name;              // 4
    uint8_t alcd;            // 8 alarm code byte
    uint8_t reserved_9[3];   // 9
    char* altx;              // 12 alarm text
    int32_t aled;            // 16 0 disabled, 1 enabled
    uint8_t reserved_20[4];  // 20
    uint32_t ce_on;          // 24 CEID for alarm set, 0 none
    uint8_t reserved_28[4];  // 28
    uint32_t ce_off;         // 32 CEID for alarm clear, 0 none
    int32_t deleted;         // 36
} TAL_INFO;

// ---- traces ---------------------------------------------------------------------
typedef struct TTRACE_INFO {
    uint8_t reserved_0[8];   // 0
    char* name;              // 8
    char* trid;              // 12
    int32_t trid_format;     // 16 format code of the TRID (16 = A)
    int32_t trid_length;     // 20 item size of the TRID (a set may pass the text's length)
    uint8_t reserved_24[4];  // 24
    char* dsper;             // 28 sample period text, HHMMSSCC
    uint8_t reserved_32[4];  // 32
    int32_t totsmp;          // 36
    uint8_t reserved_40[8];  // 40
    int32_t repgsz;          // 48
    uint8_t reserved_52[8];  // 52
    int32_t svid_count;      // 60
    int32_t* svids;          // 64
    int32_t deleted;         // 68
} TTRACE_INFO;

// ---- process programs ------------------------------------------------------------
typedef struct TPP_INFO {
    uint8_t reserved_0[8];   // 0
    char* name;              // 8
    int32_t ppid_format;     // 12
    int32_t ppid_length;     // 16 item size of the PPID
    uint8_t reserved_20[4];  // 20
    char* ppid;              // 24
    int32_t ppbody_format;   // 28
    int32_t ppbody_length;   // 32 item size of the body
    uint8_t reserved_36[4];  // 36
    char* ppbody;            // 40 never null after a get
    int32_t deleted;         // 44
} TPP_INFO;

// ---- formatted process programs ----------------------------------------------------
typedef struct TFPP_PPARAM {
    uint8_t reserved_0[12];  // 0
    char* pparam;            // 12
} TFPP_PPARAM;

typedef struct TFPP_CCODE {
    uint8_t reserved_0[12];  // 0
    char* ccode;             // 12
    int32_t pparam_count;    // 16
    TFPP_PPARAM** pparams;   // 20 null when pparam_count is 0
} TFPP_CCODE;

typedef struct TFPP_INFO {
    uint8_t reserved_0[8];    // 0
    char* name;               // 8
    uint8_t reserved_12[12];  // 12
    char* ppid;               // 24
    char* mdln;               // 28 null when none
    char* softrev;            // 32 null when none
    int32_t ccode_count;      // 36
    TFPP_CCODE** ccodes;      // 40 null when ccode_count is 0
    int32_t deleted;          // 44
} TFPP_INFO;

// ---- recipes ---------------------------------------------------------------------
typedef struct TRCP_PARAM {
    char* name;             // 0 never null after a get (empty when the parameter has none)
    uint8_t reserved_4[8];  // 4
    char* value;            // 12 null when none
} TRCP_PARAM;

typedef struct TRCP_INFO {
    uint8_t reserved_0[8];  // 0
    char* name;             // 8
    char* rcpid;            // 12
    int32_t param_count;    // 16
    TRCP_PARAM** params;    // 20 null when param_count is 0
    char* rcpbody;          // 24 null when none
    int32_t deleted;        // 28
} TRCP_INFO;

// =============================================================================
// Set-up and teardown
// =============================================================================

// Remembers the session kind (1 environment, 2 definitions); returns 0.
ZOREDIT_API int GemSetEditMode(int mode);
// Prepares the library; the arguments are not used. Returns 0.
ZOREDIT_API int GemSetupLibrary(int a, int b);
// Reads an environment file into the record of ZorGetTEq_MgrPtr. `object_file`
// must be null (0). Returns 0, or ZOR_E_FAIL with the reason in `err` (which
// may be null) and the previous settings left as they were.
ZOREDIT_API int GemSetupEquipment(int eq, const char* cnf_path, const char* object_file, char* err,
                                  int err_size);
// The loaded environment settings. Library-owned; never freed by the caller;
// valid until the next load or GemTerminateLibrary. Null for eq != 0.
ZOREDIT_API TEq_Mgr* ZorGetTEq_MgrPtr(int eq);
// Reads the environment file and the object file and, only when both are read
// without fault, replaces the settings and every held definition. Returns the
// number of definitions loaded, or ZOR_E_FAIL with the reason in `err`
// ("<path>: damaged object file, record <kind> "<name>" at line N, byte B:
// <fault>" for a fault of the object file); nothing
// changes then.
ZOREDIT_API int GemEditSetupEquipment(int eq, const char* cnf_path, const char* fil_path, char* err,
                                      int err_size);
// Reads the source at `source_path` and compares it, block by block, with
// the loaded definitions now, so that a save to that path later edits it
// without comparing it again while it is unchanged on disk (the editor does
// this when it loads). Returns 1 when it is their source, 0 when it is not
// or cannot be read, ZOR_E_FAIL when no path is named or nothing is loaded.
ZOREDIT_API int ZorCompareEqInfo(const char* source_path);
// Writes every live definition (deleted ones are dropped) as definition source
// to `source_path`: written to a fresh temporary file beside it, the old file
// kept as `source_path` + ".bak", then renamed into place with the old file's
// mode. A symbolic link at the path is written through (the file it leads to
// is replaced, the link stays); a directory, FIFO, device or a file the caller
// may not write is refused and left alone. When the file at the
// path is the source the definitions were loaded from (its blocks compile to
// them), only the changed definitions are rewritten: untouched blocks keep
// their bytes and the comments around them, a deleted definition's block
// goes with the comment lines directly above it from the first that names
// it as a word (other comments stay), new ones follow the last block of
// their kind. Otherwise the whole source is written anew. Returns 0
// or ZOR_E_FAIL (reason through ZorGetLastError); the old file stays as it was
// on failure.
ZOREDIT_API int ZorWriteEqInfo(const char* source_path);
// How the last successful ZorWriteEqInfo wrote: ZOR_WRITE_EDITED (only the
// changed definitions) or ZOR_WRITE_WHOLE (the whole source; also before any).
ZOREDIT_API int ZorGetWriteWay(void);
// Drops every held definition and setting; returns 0.
ZOREDIT_API int GemTerminateLibrary(void);
// The reason of the last failure of any function ("" when none). Returns the
// text's length, or ZOR_E_NOSPACE when it does not fit (buffer left empty).
ZOREDIT_API int ZorGetLastError(char* buffer, int buffer_size);

// =============================================================================
// Definitions
// =============================================================================
// List: stores a new list in *list (caller frees it with ZorFreeTBIN_DLIST or
// ZorFreeTTEXT_DLIST) and returns its count; on failure *list is null.
ZOREDIT_API int GemGetEcList(int eq, TBIN_DLIST** list);
ZOREDIT_API int GemGetSvList(int eq, TBIN_DLIST** list);
ZOREDIT_API int GemGetDvList(int eq, TBIN_DLIST** list);
ZOREDIT_API int GemGetCeList(int eq, TBIN_DLIST** list);
ZOREDIT_API int GemGetRpList(int eq, TBIN_DLIST** list);
ZOREDIT_API int GemGetAlList(int eq, TBIN_DLIST** list);
ZOREDIT_API int GemGetPpList(int eq, TTEXT_DLIST** list);
ZOREDIT_API int GemGetFppList(int eq, TTEXT_DLIST** list);
ZOREDIT_API int GemGetRcpList(int eq, TTEXT_DLIST** list);
ZOREDIT_API int GemGetTrList(int eq, TTEXT_DLIST** list);

// Get: overwrites the whole record (its old pointers are not freed) with a new
// copy of the definition; the caller frees the contents with the kind's
// ZorFree* function. Returns 0, ZOR_E_NOTFOUND (record zeroed) or ZOR_E_FAIL.
// Text IDs are matched without regard to ASCII letter case. Links held by name
// come back as IDs (names compared as the compiler compares them); a name
// that names no definition gives ID 0, or its value when it is a number.
ZOREDIT_API int GemGetEcInfo(int eq, int32_t vid, TV_INFO* record);
ZOREDIT_API int GemGetSvInfo(int eq, int32_t vid, TV_INFO* record);
ZOREDIT_API int GemGetDvInfo(int eq, int32_t vid, TV_INFO* record);
ZOREDIT_API int GemGetCeInfo(int eq, int32_t ceid, TCE_INFO* record);
ZOREDIT_API int GemGetRpInfo(int eq, int32_t rpid, TRP_INFO* record);
ZOREDIT_API int GemGetAlInfo(int eq, int32_t alid, TAL_INFO* record);
ZOREDIT_API int GemGetPpInfo(int eq, const char* ppid, TPP_INFO* record);
ZOREDIT_API int GemGetFppInfo(int eq, const char* ppid, TFPP_INFO* record);
ZOREDIT_API int GemGetRcpInfo(int eq, const char* rcpid, TRCP_INFO* record);
ZOREDIT_API int GemGetTrInfo(int eq, const char* trid, TTRACE_INFO* record);

// Set: adds the definition or replaces the one with the same ID (text IDs
// without regard to case); deleted = 1 soft-deletes it. The record is copied;
// the caller still frees it. What the record cannot carry (maximum sizes,
// formats of texts, the written form of values and enable texts, links to
// names that name no definition, list entries past what an editor shows) is
// kept from the held definition as long as the record does not change it.
// Linked IDs are held as the linked definition's name, or as the number when
// no definition has the ID. A live record under the key of a deleted
// definition is a new definition: nothing of the deleted one is kept.
// Returns 0, or ZOR_E_FAIL for a record that cannot be written as source (no
// name, a name another live definition of the kind has, a text with CR or LF,
// ending inside an escape (a lone \ or \x at its end) or over ZOR_MAX_TEXT
// bytes, a list over ZOR_MAX_LIST (the VIDs of a list variable over
// ZOR_MAX_LIST_VIDS), a new definition past ZOR_MAX_DEFS, nothing loaded);
// ZorGetLastError then names the field.
ZOREDIT_API int GemSetEcInfo(int eq, const TV_INFO* record);
ZOREDIT_API int GemSetSvInfo(int eq, const TV_INFO* record);
ZOREDIT_API int GemSetDvInfo(int eq, const TV_INFO* record);
ZOREDIT_API int GemSetCeInfo(int eq, const TCE_INFO* record);
ZOREDIT_API int GemSetRpInfo(int eq, const TRP_INFO* record);
ZOREDIT_API int GemSetAlInfo(int eq, const TAL_INFO* record);
ZOREDIT_API int GemSetPpInfo(int eq, const TPP_INFO* record);
ZOREDIT_API int GemSetFppInfo(int eq, const TFPP_INFO* record);
ZOREDIT_API int GemSetRcpInfo(int eq, const TRCP_INFO* record);
ZOREDIT_API int GemSetTrInfo(int eq, const TTRACE_INFO* record);

// Free record contents: releases every block the record points to (with
// ZorFreeMem) and zeroes the pointers and counts; not the record itself.
// Null is accepted.
ZOREDIT_API void ZorFreeTV_INFO(TV_INFO* record);
ZOREDIT_API void ZorFreeTCE_INFO(TCE_INFO* record);
ZOREDIT_API void ZorFreeTRP_INFO(TRP_INFO* record);
ZOREDIT_API void ZorFreeTAL_INFO(TAL_INFO* record);
ZOREDIT_API void ZorFreeTPP_INFO(TPP_INFO* record);
ZOREDIT_API void ZorFreeTFPP_INFO(TFPP_INFO* record);
ZOREDIT_API void ZorFreeTRCP_INFO(TRCP_INFO* record);
ZOREDIT_API void ZorFreeTTRACE_INFO(TTRACE_INFO* record);
// Free a list: releases the list and everything in it. Null is accepted.
ZOREDIT_API void ZorFreeTBIN_DLIST(TBIN_DLIST* list);
ZOREDIT_API void ZorFreeTTEXT_DLIST(TTEXT_DLIST* list);

// =============================================================================
// Spooling: one list of function numbers per stream (0..255)
// =============================================================================
// Copies the stream's functions into `functions` (room for `capacity`
// entries) and returns their count (0 when the stream has no setting);
// ZOR_E_NOSPACE when they do not fit (nothing written), ZOR_E_FAIL for a bad
// stream.
ZOREDIT_API int GemGetSpoolInfo(int eq, int stream, int32_t* functions, int capacity);
// Replaces the stream's functions (low eight bits of each) with a copy of
// `functions`; count 0 keeps the stream with no function. Returns 0 or
// ZOR_E_FAIL (bad stream, count < 0 or over ZOR_MAX_LIST).
ZOREDIT_API int GemSetSpoolInfo(int eq, int stream, int count, const int32_t* functions);
// Removes the stream's setting; 0, or ZOR_E_NOTFOUND when it had none.
ZOREDIT_API int GemResetSpoolInfo(int eq, int stream);
// Removes the setting of every stream; returns 0.
ZOREDIT_API int GemResetAllSpoolInfo(int eq);

// =============================================================================
// Name look-ups into a caller buffer
// =============================================================================
// The name of the variable (EC, then SV, then DVVAL) with this VID; *length
// (may be null) receives the name's length in bytes, also when it does not
// fit. Returns 0, ZOR_E_NOTFOUND or ZOR_E_NOSPACE.
ZOREDIT_API int GemGetVName(int eq, int32_t vid, char* buffer, int32_t* length, int buffer_size);
ZOREDIT_API int GemGetRpName(int eq, int32_t rpid, char* buffer, int buffer_size);
ZOREDIT_API int GemGetCeName(int eq, int32_t ceid, char* buffer, int buffer_size);

// =============================================================================
// Values and formats
// =============================================================================
// Format symbol (without regard to case; blanks around it ignored) to code:
// L B BOOL BO BOOLEAN A J I1 I2 I4 I8 U1 U2 U4 U8 F4 F8 LEND. < 0 unknown.
ZOREDIT_API int zor_get_item_code(const char* name);
// Code to the symbol the format picker shows ("BOOL" for 9, "LEND" for 61);
// a static text, "" for an unknown code. Never null.
ZOREDIT_API const char* zor_get_item_name(int code);
// Bytes per element: 1 for B BOOL A J I1 U1, 2 for I2 U2, 4 for I4 U4 F4 and
// for L and LEND (an int32 element count), 8 for I8 U8 F8; 0 for unknown.
ZOREDIT_API int zor_get_item_unit_size(int code);
// Decimal with an optional sign, or hexadecimal after 0x, 0X, x or X; blanks
// around it ignored; reading stops at the first character that is no digit.
// 0 for a text that does not start with a number, and for null.
ZOREDIT_API int zor_atoi(const char* text);
// Fills a value buffer. `value` points to one value: an int32_t for the
// integer formats, B, BOOLEAN, L and LEND (converted to the element type), a
// float for F4, a double for F8, a NUL-terminated text for A and J.
// Numbers: writes `count` copies of the value (count <= capacity, the
// buffer's room in elements). Texts: the buffer has room for capacity + 1
// bytes; the text is copied with its NUL when it is at most min(count,
// capacity) bytes long. Returns the number of bytes written, ZOR_E_NOSPACE
// for a longer text (the buffer then holds ""), ZOR_E_FAIL for an unknown
// code or bad arguments.
ZOREDIT_API int zor_set_vdval(void* dest, const void* value, int code, int capacity, int count);
// Display text of element `index` of a value buffer, written into `text`
// (room for text_size bytes): decimal for integers and BOOLEAN, the shortest
// exact decimal form for F4 and F8, the text itself for A and J, "" for a null
// buffer. Returns `text`, or null when the result does not fit (text then
// holds "" if text_size > 0) or the arguments are bad.
ZOREDIT_API char* zor_edit_vdval(char* text, int code, const void* value, int index, int text_size);

// =============================================================================
// Memory, beep, processes
// =============================================================================
// A zero-filled block of `size` bytes (a 1-byte block for size <= 0), or null
// when memory runs out. Release with ZorFreeMem.
ZOREDIT_API void* ZorAllocMem(int size);
// Releases a block from ZorAllocMem (or from any get or list); null is ignored.
ZOREDIT_API void ZorFreeMem(void* block);
// memset; returns `block`.
ZOREDIT_API void* ZorMemSet(void* block, int value, int size);
// Sounds a beep of `kind` (the duration is a hint); every call is counted by
// the platform layer. Returns 0.
ZOREDIT_API int ZorBeep(int kind, int duration_ms);
// Starts `program` with `file` as its one argument and does not wait. Returns 0
// or an error number.
ZOREDIT_API int ZorCreateNormalProcess(const char* program, const char* file);
// Starts `program` with `arguments` split as a Windows command line (blanks
// separate, double quotes group) and does not wait; no zombie stays behind.
// `title` is the console title where the platform has one. `message` (room for
// message_size bytes, may be null) receives "" when started, else the reason.
// Returns 0 when started, else an error number.
ZOREDIT_API int ZorCreateProcess(const char* program, const char* arguments, const char* title,
                                 char* message, int message_size);

#ifdef __cplusplus
}  // extern "C"
#endif

// ---- layout checks for the 32-bit build ---------------------------------------
#if defined(__cplusplus)
#define ZOR_STATIC_ASSERT static_assert
#else
#define ZOR_STATIC_ASSERT _Static_assert
#endif
#include <stddef.h>
#if UINTPTR_MAX == 0xffffffffu
ZOR_STATIC_ASSERT(sizeof(TEq_Mgr) == 208, "TEq_Mgr");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, eng_file) == 20, "TEq_Mgr.eng_file");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, ipc_timeout) == 64, "TEq_Mgr.ipc_timeout");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, spool_path) == 88, "TEq_Mgr.spool_path");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, pp_count) == 100, "TEq_Mgr.pp_count");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, trace_count) == 132, "TEq_Mgr.trace_count");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, info_file) == 144, "TEq_Mgr.info_file");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, info_backup) == 148, "TEq_Mgr.info_backup");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, commdef) == 180, "TEq_Mgr.commdef");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, comm_device) == 192, "TEq_Mgr.comm_device");
ZOR_STATIC_ASSERT(offsetof(TEq_Mgr, s1f13_send) == 204, "TEq_Mgr.s1f13_send");
ZOR_STATIC_ASSERT(sizeof(TBIN_DLIST) == 12 && sizeof(TTEXT_DLIST) == 12, "ID lists");
ZOR_STATIC_ASSERT(sizeof(TV_LIMIT) == 12 && sizeof(TV_LIST) == 12, "TV_INFO parts");
ZOR_STATIC_ASSERT(sizeof(TV_INFO) == 116, "TV_INFO");
ZOR_STATIC_ASSERT(offsetof(TV_INFO, format) == 8, "TV_INFO.format");
ZOR_STATIC_ASSERT(offsetof(TV_INFO, size) == 12, "TV_INFO.size");
ZOR_STATIC_ASSERT(offsetof(TV_INFO, min) == 28, "TV_INFO.min");
ZOR_STATIC_ASSERT(offsetof(TV_INFO, units) == 40, "TV_INFO.units");
ZOR_STATIC_ASSERT(offsetof(TV_INFO, item_count) == 56, "TV_INFO.item_count");
ZOR_STATIC_ASSERT(offsetof(TV_INFO, items) == 60, "TV_INFO.items");
ZOR_STATIC_ASSERT(offsetof(TV_INFO, ceid_count) == 64, "TV_INFO.ceid_count");
ZOR_STATIC_ASSERT(offsetof(TV_INFO, ceids) == 72, "TV_INFO.ceids");
ZOR_STATIC_ASSERT(offsetof(TV_INFO, deleted) == 112, "TV_INFO.deleted");
ZOR_STATIC_ASSERT(sizeof(TCE_INFO) == 28 && offsetof(TCE_INFO, rpids) == 20, "TCE_INFO");
ZOR_STATIC_ASSERT(offsetof(TCE_INFO, deleted) == 24, "TCE_INFO.deleted");
ZOR_STATIC_ASSERT(sizeof(TRP_INFO) == 28 && offsetof(TRP_INFO, vids) == 16, "TRP_INFO");
ZOR_STATIC_ASSERT(offsetof(TRP_INFO, deleted) == 24, "TRP_INFO.deleted");
ZOR_STATIC_ASSERT(sizeof(TAL_INFO) == 40 && offsetof(TAL_INFO, altx) == 12, "TAL_INFO");
ZOR_STATIC_ASSERT(offsetof(TAL_INFO, ce_on) == 24 && offsetof(TAL_INFO, ce_off) == 32,
                  "TAL_INFO.ce");
ZOR_STATIC_ASSERT(offsetof(TAL_INFO, deleted) == 36, "TAL_INFO.deleted");
ZOR_STATIC_ASSERT(sizeof(TTRACE_INFO) == 72 && offsetof(TTRACE_INFO, dsper) == 28, "TTRACE_INFO");
ZOR_STATIC_ASSERT(offsetof(TTRACE_INFO, totsmp) == 36 && offsetof(TTRACE_INFO, repgsz) == 48,
                  "TTRACE_INFO.n");
ZOR_STATIC_ASSERT(offsetof(TTRACE_INFO, svid_count) == 60 && offsetof(TTRACE_INFO, svids) == 64,
                  "TTRACE_INFO.sv");
ZOR_STATIC_ASSERT(offsetof(TTRACE_INFO, deleted) == 68, "TTRACE_INFO.deleted");
ZOR_STATIC_ASSERT(sizeof(TPP_INFO) == 48 && offsetof(TPP_INFO, ppid) == 24, "TPP_INFO");
ZOR_STATIC_ASSERT(offsetof(TPP_INFO, ppbody) == 40 && offsetof(TPP_INFO, deleted) == 44,
                  "TPP_INFO.body");
ZOR_STATIC_ASSERT(sizeof(TFPP_PPARAM) == 16 && sizeof(TFPP_CCODE) == 24, "TFPP_INFO parts");
ZOR_STATIC_ASSERT(sizeof(TFPP_INFO) == 48 && offsetof(TFPP_INFO, ppid) == 24, "TFPP_INFO");
ZOR_STATIC_ASSERT(offsetof(TFPP_INFO, ccodes) == 40 && offsetof(TFPP_INFO, deleted) == 44,
                  "TFPP_INFO.cc");
ZOR_STATIC_ASSERT(sizeof(TRCP_PARAM) == 16 && offsetof(TRCP_PARAM, value) == 12, "TRCP_PARAM");
ZOR_STATIC_ASSERT(sizeof(TRCP_INFO) == 32 && offsetof(TRCP_INFO, rcpbody) == 24, "TRCP_INFO");
ZOR_STATIC_ASSERT(offsetof(TRCP_INFO, deleted) == 28, "TRCP_INFO.deleted");
#endif
