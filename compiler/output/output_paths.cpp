#include "compiler/output/output_paths.h"

#include "platform/platform.h"

namespace zor::compiler {

OutputPaths derive_output_paths(const std::string& source_path) {
    const size_t name_start = platform::file_name_start(source_path);
    size_t dot = source_path.find_last_of('.');
    // A leading dot names a hidden file, not an extension.
    std::string stem =
        dot != std::string::npos && dot > name_start ? source_path.substr(0, dot) : source_path;
    return {stem + ".fil", stem + ".h", stem + ".bas", stem + ".vb", stem + ".cs"};
}

}  // namespace zor::compiler
