#include <iostream>

#include "inspect/command_line.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    // Exports write megabytes through std::cout; nothing here uses C stdio.
    std::ios::sync_with_stdio(false);
    zor::platform::binary_standard_streams();
    std::vector<std::string> args = zor::platform::program_arguments(argc, argv);
    args.erase(args.begin());
    return zor::inspect::run_inspect(args, std::cout, std::cerr);
}
