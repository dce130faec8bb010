#include "inspect/document_writer.h"

#include <string_view>

namespace zor::inspect {
namespace {

constexpr const char* kNone = "No definitions of this kind.";

class MarkdownWriter : public DocumentWriter {
  public:
    explicit MarkdownWriter(std::ostream& out) : out_(out) {}

    void begin(const std::string& title, const std::string& subtitle,
               const std::vector<Section>& sections) override {
        out_ << "# " << escape(title) << "\n\n" << escape(subtitle) << "\n\n## Contents\n\n";
        for (size_t i = 0; i < sections.size(); ++i)
            out_ << i + 1 << ". [" << escape(sections[i].title) << "](#" << sections[i].anchor
                 << ") (" << sections[i].count << ")\n";
    }
    void section(const Section& s) override {
        out_ << "\n<a id=\"" << s.anchor << "\"></a>\n\n## " << escape(s.title) << "\n\n";
        if (s.count == 0) out_ << kNone << "\n";
    }
    void table(const std::vector<std::string>& headers) override {
        std::string rule = "|";
        out_ << "|";
        for (const auto& h : headers) {
            out_ << " " << escape(h) << " |";
            rule += " --- |";
        }
        out_ << "\n" << rule << "\n";
    }
    void row(const std::vector<Cell>& cells) override {
        std::string line = "|";
        for (const auto& cell : cells) {
            line += " ";
            for (size_t i = 0; i < cell.size(); ++i) line += (i ? "<br>" : "") + escape(cell[i]);
            line += " |";
        }
        out_ << line << "\n";
    }
    void table_end() override {}
    void end() override {}

  private:
    // Every character Markdown (CommonMark, GFM, pandoc) may read as markup,
    // the table's '|' included: a name like __INIT__ or ~~OLD~~ or a text
    // holding "&amp;" must come out as written.
    static std::string escape(const std::string& text) {
        std::string out;
        for (char c : text) {
            if (std::string_view("\\`*_~[]<>&|#").find(c) != std::string_view::npos) out += '\\';
            out += c;
        }
        return out;
    }
    std::ostream& out_;
};

constexpr const char* kStyle = R"(<style>
body { font-family: "Segoe UI", "DejaVu Sans", Arial, "Yu Gothic", Meiryo, "Noto Sans CJK JP",
       "IPAPGothic", sans-serif;
       font-size: 10.5pt; color: #1a1a1a; margin: 2em auto; max-width: 75em; padding: 0 1.5em; }
h1 { font-size: 1.7em; border-bottom: 3px solid #2d4f7c; padding-bottom: .2em; margin-bottom: .2em; }
h2 { font-size: 1.25em; color: #2d4f7c; border-bottom: 1px solid #c8d3e0; margin-top: 2em; }
.subtitle { color: #555; margin-top: 0; }
nav ol { columns: 2; padding-left: 1.5em; }
nav a { color: #2d4f7c; text-decoration: none; }
.count { color: #777; }
table { border-collapse: collapse; width: 100%; margin: .5em 0 1em; }
th, td { border: 1px solid #c8d3e0; padding: .25em .45em; text-align: left; vertical-align: top; }
th { background: #e8eef5; font-weight: 600; }
tbody tr:nth-child(even) { background: #f6f8fb; }
td { overflow-wrap: break-word; }
.none { color: #777; font-style: italic; }
@media print {
  body { margin: 0; max-width: none; font-size: 8.5pt; }
  nav { break-after: page; }
  h2 { break-after: avoid; }
  thead { display: table-header-group; }
  tr { break-inside: avoid; }
  a { color: inherit; }
}
</style>
)";

class HtmlWriter : public DocumentWriter {
  public:
    explicit HtmlWriter(std::ostream& out) : out_(out) {}

    void begin(const std::string& title, const std::string& subtitle,
               const std::vector<Section>& sections) override {
        out_ << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
             << escape(title) << "</title>\n"
             << kStyle << "</head>\n<body>\n<h1>" << escape(title)
             << "</h1>\n<p class=\"subtitle\">" << escape(subtitle)
             << "</p>\n<nav>\n<h2>Contents</h2>\n<ol>\n";
        for (const auto& s : sections)
            out_ << "<li><a href=\"#" << s.anchor << "\">" << escape(s.title)
                 << "</a> <span class=\"count\">(" << s.count << ")</span></li>\n";
        out_ << "</ol>\n</nav>\n";
    }
    void section(const Section& s) override {
        out_ << "<h2 id=\"" << s.anchor << "\">" << escape(s.title) << "</h2>\n";
        if (s.count == 0) out_ << "<p class=\"none\">" << kNone << "</p>\n";
    }
    void table(const std::vector<std::string>& headers) override {
        out_ << "<table>\n<thead><tr>";
        for (const auto& h : headers) out_ << "<th>" << escape(h) << "</th>";
        out_ << "</tr></thead>\n<tbody>\n";
    }
    void row(const std::vector<Cell>& cells) override {
        std::string line = "<tr>";
        for (const auto& cell : cells) {
            line += "<td>";
            for (size_t i = 0; i < cell.size(); ++i) line += (i ? "<br>" : "") + escape(cell[i]);
            line += "</td>";
        }
        out_ << line << "</tr>\n";
    }
    void table_end() override { out_ << "</tbody>\n</table>\n"; }
    void end() override { out_ << "</body>\n</html>\n"; }

  private:
    static std::string escape(const std::string& text) {
        std::string out;
        for (char c : text) {
            switch (c) {
                case '&': out += "&amp;"; break;
                case '<': out += "&lt;"; break;
                case '>': out += "&gt;"; break;
                case '"': out += "&quot;"; break;
                default: out += c;
            }
        }
        return out;
    }
    std::ostream& out_;
};

}  // namespace

std::unique_ptr<DocumentWriter> markdown_writer(std::ostream& out) {
    return std::make_unique<MarkdownWriter>(out);
}

std::unique_ptr<DocumentWriter> html_writer(std::ostream& out) {
    return std::make_unique<HtmlWriter>(out);
}

}  // namespace zor::inspect
