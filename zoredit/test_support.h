#pragma once
// Helpers for the zoredit tests: scratch directories, running the real
// ZorCompile on a source text, and loading an object file into the library.

#include <string>
#include <type_traits>

#include "zoredit/zoredit.h"

namespace zor::edit::test {

// A fresh empty directory under the system's temporary directory.
std::string scratch_dir(const std::string& tag);
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);

struct CompileResult {
    bool ran = false;    // ZorCompile was found and ran
    int errors = -1;     // its exit code
    std::string fil;     // the object file (empty when none was written)
    std::string output;  // what it printed
};

// Path of ZorCompile (environment ZORCOMPILE), empty when unknown.
std::string compiler_path();
// Compiles `source` as dir/name.txt inside `dir` (the compiler's working
// directory).
CompileResult compile(const std::string& dir, const std::string& source,
                      const std::string& name = "eq");

// Loads `fil` (text) through GemEditSetupEquipment with a small .cnf.
// Returns its result; `error` gets the error buffer.
// The library's last error text.
std::string last_error();

int load_fil(const std::string& dir, const std::string& fil, std::string* error = nullptr);

// The kind's ZorFree* function, by record type.
void release(TV_INFO* r);
void release(TCE_INFO* r);
void release(TRP_INFO* r);
void release(TAL_INFO* r);
void release(TPP_INFO* r);
void release(TFPP_INFO* r);
void release(TRCP_INFO* r);
void release(TTRACE_INFO* r);

// Gets one record, gives what `read` makes of it, and frees the record.
template <class Rec, class Key, class Read>
auto read_record(int (*get)(int, Key, Rec*), std::type_identity_t<Key> key, Read read) {
    Rec r;
    const int rc = get(0, key, &r);
    auto out = read(rc, r);
    release(&r);
    return out;
}

}  // namespace zor::edit::test
