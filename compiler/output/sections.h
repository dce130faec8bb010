#pragma once
// The temporary section files, one per definition kind. Blocks write their
// records into their kind's section; a clean compile merges the sections
// into the object file in the fixed section order.

#include <array>
#include <string>
#include <vector>

#include "compiler/output/text_file.h"

namespace zor::compiler {

// In the order the section files are opened.
enum class Section { ec, sv, dv, ce, rp, al, sp, pp, fp, rcp, tr };
inline constexpr int kSectionCount = 11;

const char* section_file_name(Section section);

class SectionFiles {
  public:
    // Opens every section file in order; returns the name of the first one
    // that could not be created, or nullptr when all are open.
    const char* open();
    void write(Section section, const std::string& record_line);
    // Closes every section file; the ones not completely written are listed.
    std::vector<WriteFailure> close();

  private:
    std::array<TextFile, kSectionCount> files_;
};

// Copies the section files into the object file in section order, passing
// over any that do not exist. The object file appears only when complete;
// what could not be read or written is listed (nothing when all went well).
std::vector<WriteFailure> merge_sections(const std::string& object_path);

}  // namespace zor::compiler
