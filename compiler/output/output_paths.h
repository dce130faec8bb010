#pragma once

#include <string>

namespace zor::compiler {

// The five files written beside the source.
struct OutputPaths {
    std::string object, h, bas, vb, cs;
};

// Replaces the source file's extension (from the last '.' of the file-name
// part; a name without one gets the extension appended), so a dotted
// directory never moves the outputs out of the source's directory.
OutputPaths derive_output_paths(const std::string& source_path);

}  // namespace zor::compiler
