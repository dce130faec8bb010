#include <iostream>

#include "inspect/command_line.h"

int main(int argc, char** argv) {
    // Exports write megabytes through std::cout; nothing here uses C stdio.
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return zor::inspect::run_inspect(args, std::cout, std::cerr);
}
