#include "compiler/driver/driver.h"

int main(int argc, char** argv) { return zor::compiler::run_compiler(argc, argv); }
