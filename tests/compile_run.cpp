#include "tests/compile_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zor::testing {

namespace fs = std::filesystem;

CompileRun::CompileRun() {
    static int counter = 0;
    dir_ = fs::temp_directory_path() /
           ("zor_e2e_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
}

CompileRun::~CompileRun() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
}

void CompileRun::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
}

std::string CompileRun::read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool CompileRun::exists(const std::string& name) const { return fs::exists(dir_ / name); }

std::string CompileRun::compiler_path() { return ZOR_COMPILE_PATH; }

int CompileRun::compile(const std::string& arguments, const std::string& launcher) {
    std::string command = "cd '" + dir_.string() + "' && " + launcher + " '" + compiler_path() +
                          "' " + arguments + " > stdout.captured 2>&1";
    int status = std::system(command.c_str());
    output_ = read("stdout.captured");
    fs::remove(dir_ / "stdout.captured");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1000;
}

std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string start_lines(const std::string& source) {
    return "***** ZOR Engine Equipment Variable Definition File Compiler *****************\n"
           "----- " +
           CompileRun::compiler_path() + " start - info file = " + source +
           " --------------------------------\n\n";
}

std::string summary_lines(int errors, int warnings) {
    return "------------------------------------------------------------------------------\n"
           "  End of ZorCompile Compilation.\n"
           "    number of error   = " +
           std::to_string(errors) +
           "\n"
           "    number of warning = " +
           std::to_string(warnings) + "\n";
}

std::string result_lines() {
    return "obj_file = eq.fil\n"
           "  <ZorCompile result > \n"
           "     source file (in)  = eq.txt\n"
           "     object file (out) = eq.fil\n"
           "     .h     file (out) = eq.h\n"
           "     .bas   file (out) = eq.bas\n"
           "     .vb    file (out) = eq.vb\n"
           "     .cs    file (out) = eq.cs\n";
}

}  // namespace zor::testing
