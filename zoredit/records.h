#pragma once
// Views of the held definitions as the C records of zoredit.h, and the way
// back. Filling a record allocates everything with alloc_block; taking one
// back copies everything it points to.

#include <string>

#include "zoredit/model.h"
#include "zoredit/store.h"
#include "zoredit/zoredit.h"

namespace zor::edit {

// Each fill zeroes *r first and, when memory runs out, frees what it built
// and rethrows.
void fill_record(const Variable& d, bool deleted, const Store& s, TV_INFO* r);
void fill_record(const Event& d, bool deleted, const Store& s, TCE_INFO* r);
void fill_record(const Report& d, bool deleted, const Store& s, TRP_INFO* r);
void fill_record(const Alarm& d, bool deleted, const Store& s, TAL_INFO* r);
void fill_record(const ProcessProgram& d, bool deleted, const Store& s, TPP_INFO* r);
void fill_record(const FormattedProgram& d, bool deleted, const Store& s, TFPP_INFO* r);
void fill_record(const Recipe& d, bool deleted, const Store& s, TRCP_INFO* r);
void fill_record(const Trace& d, bool deleted, const Store& s, TTRACE_INFO* r);

// Each take builds the definition to hold from the record and the held one
// (null for a new ID). False with the reason when the record cannot be
// written back as source.
bool take_record(const TV_INFO& r, Kind kind, const Variable* held, const Store& s, Variable& out,
                 std::string& error);
bool take_record(const TCE_INFO& r, const Event* held, const Store& s, Event& out,
                 std::string& error);
bool take_record(const TRP_INFO& r, const Report* held, const Store& s, Report& out,
                 std::string& error);
bool take_record(const TAL_INFO& r, const Alarm* held, const Store& s, Alarm& out,
                 std::string& error);
bool take_record(const TPP_INFO& r, const ProcessProgram* held, const Store& s, ProcessProgram& out,
                 std::string& error);
bool take_record(const TFPP_INFO& r, const FormattedProgram* held, const Store& s,
                 FormattedProgram& out, std::string& error);
bool take_record(const TRCP_INFO& r, const Recipe* held, const Store& s, Recipe& out,
                 std::string& error);
bool take_record(const TTRACE_INFO& r, const Trace* held, const Store& s, Trace& out,
                 std::string& error);

void free_record(TV_INFO* r);
void free_record(TCE_INFO* r);
void free_record(TRP_INFO* r);
void free_record(TAL_INFO* r);
void free_record(TPP_INFO* r);
void free_record(TFPP_INFO* r);
void free_record(TRCP_INFO* r);
void free_record(TTRACE_INFO* r);

// Checks a text a record carries: present when required, no CR or LF, not
// over the length a source line can hold, not ending inside an escape.
bool check_text(const char* text, const char* what, bool required, std::string& error);
// A list count from a record: 0..max, and an array when above 0.
bool check_count(int32_t count, const void* array, const char* what, std::string& error,
                 size_t max = ZOR_MAX_LIST);

}  // namespace zor::edit
