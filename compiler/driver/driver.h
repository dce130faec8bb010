#pragma once

namespace zor::compiler {

// Compiles the source named by argv[1] in the current directory's setting
// ("pass_file", log, end marker). Returns the exit code: the number of
// errors, or -1 when there is no source to compile.
int run_compiler(int argc, char** argv);

}  // namespace zor::compiler
