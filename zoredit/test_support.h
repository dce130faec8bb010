#pragma once
// Helpers for the zoredit tests: scratch directories, running the real
// ZorCompile on a source text, and loading an object file into the library.

#include <string>

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

}  // namespace zor::edit::test
