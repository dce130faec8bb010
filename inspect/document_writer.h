#pragma once
// The two shapes of the GEM reference document, Markdown and HTML, behind
// one interface: the document's content is written once (reference.cpp) and
// each writer only lays it out. Every text handed in is UTF-8 and plain: the
// writer escapes it.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace zor::inspect {

struct Section {
    std::string anchor;  // "ec": the link target of the table of contents
    std::string title;   // "Equipment constants (EC)"
    size_t count = 0;    // definitions in it
};

// A table cell: its lines, shown one below the other.
using Cell = std::vector<std::string>;

class DocumentWriter {
  public:
    virtual ~DocumentWriter() = default;
    // The title, a line under it, and the table of contents.
    virtual void begin(const std::string& title, const std::string& subtitle,
                       const std::vector<Section>& sections) = 0;
    // A section; then either a table (header, rows, end) or nothing, which
    // says the section has no definitions.
    virtual void section(const Section& s) = 0;
    virtual void table(const std::vector<std::string>& headers) = 0;
    virtual void row(const std::vector<Cell>& cells) = 0;
    virtual void table_end() = 0;
    virtual void end() = 0;
};

std::unique_ptr<DocumentWriter> markdown_writer(std::ostream& out);
// One self-contained page: inline CSS, no scripts, printable.
std::unique_ptr<DocumentWriter> html_writer(std::ostream& out);

}  // namespace zor::inspect
