#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "compiler/driver/driver.h"
#include "platform/platform.h"

namespace {

// Only an argument that is exactly one of these is an option: any other
// text, "./--help" among them, is a source file as it always was.
bool answered_option(int argc, char** argv) {
    if (argc < 2) return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("ZorCompile %s\n", ZOR_VERSION);
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::printf(
            "Usage: ZorCompile SOURCE\n"
            "Compiles an equipment GEM definition source (Shift-JIS text) into the object\n"
            "file and the ID definition files (.fil, .h, .bas, .vb, .cs) beside it, and\n"
            "ENG_ID.CSV, ZorEdit.log and the end marker zor_conf.end in the current\n"
            "directory. A source named like an option is given as ./--help.\n"
            "\n"
            "  --help       this text\n"
            "  --version    the program's name and version\n"
            "\n"
            "Exit status: the number of errors (254 for 254 or more), 255 when there was\n"
            "nothing to compile.\n");
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (answered_option(argc, argv)) return 0;
    std::vector<std::string> args = zor::platform::program_arguments(argc, argv);
    std::vector<char*> arg_pointers;
    for (auto& a : args) arg_pointers.push_back(a.data());
    arg_pointers.push_back(nullptr);
    int code = zor::compiler::run_compiler(argc, arg_pointers.data());
    // An exit status keeps only eight bits: 256 errors must not read as a
    // clean compile, and 255 stays the code for "nothing compiled".
    return code > 254 ? 254 : code;
}
