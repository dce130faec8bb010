#pragma once
// The ID definition files for application programmers (.h, .bas, .vb, .cs)
// and the comma-separated ID list "ENG_ID.CSV".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/output/output_paths.h"
#include "compiler/output/text_file.h"

namespace zor::compiler {

// The list line's four trailing texts; absent ones are written empty.
struct IdListTexts {
    std::string_view a, b, c, d;
};

class IdFiles {
  public:
    // Opens the .h, .bas, .vb and .cs files, then the list; returns the path
    // of the first that could not be created, or an empty text. Each is
    // written beside its place and put there when it is closed complete.
    std::string open(const OutputPaths& paths, const std::string& list_path);
    void write_heads();

    void numeric_constant(std::string_view name, int32_t id);
    void text_constant(std::string_view name, std::string_view value);
    void list_line(std::string_view name, int32_t id, std::string_view format_name, int32_t size,
                   const IdListTexts& texts);

    // Writes the tails and closes all five files; lists those not written
    // completely (each keeps its previous content).
    std::vector<WriteFailure> close_with_tails();
    // The same without tails.
    std::vector<WriteFailure> close();
    // Drops whatever is open (when opening failed midway): no file changes.
    void discard();

  private:
    OutputPaths paths_;
    TextFile h_, bas_, vb_, cs_, list_;
};

// The list's name of a format code ("T" for BOOLEAN, "LE" for the list end
// marker); empty for codes without one.
std::string_view list_format_name(int code);

}  // namespace zor::compiler
