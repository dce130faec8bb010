#include "compiler/output/output_paths.h"

namespace zor::compiler {

OutputPaths derive_output_paths(const std::string& source_path) {
    size_t name_start = source_path.find_last_of('/');
    name_start = name_start == std::string::npos ? 0 : name_start + 1;
    size_t dot = source_path.find_last_of('.');
    // A leading dot names a hidden file, not an extension.
    std::string stem =
        dot != std::string::npos && dot > name_start ? source_path.substr(0, dot) : source_path;
    return {stem + ".fil", stem + ".h", stem + ".bas", stem + ".vb", stem + ".cs"};
}

}  // namespace zor::compiler
