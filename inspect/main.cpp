#include <iostream>

#include "inspect/command_line.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zor::inspect::run_inspect(args, std::cout, std::cerr);
}
