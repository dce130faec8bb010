#include "compiler/driver/driver.h"

int main(int argc, char** argv) {
    int code = zor::compiler::run_compiler(argc, argv);
    // An exit status keeps only eight bits: 256 errors must not read as a
    // clean compile, and 255 stays the code for "nothing compiled".
    return code > 254 ? 254 : code;
}
