#include "inspect/reference.h"

#include "inspect/utf8_text.h"

namespace zor::inspect {
namespace {

// A cell in Shift-JIS, one line per list entry.
using Lines = std::vector<std::string>;
using Render = Lines (*)(const Definition&, const DefinitionFields&);

struct Column {
    const char* caption;
    const char* key;          // the field shown, one line per entry of a list
    Render render = nullptr;  // instead, when the cell combines fields
};

struct SectionKind {
    Kind kind;
    const char* title;
    std::vector<Column> columns;
};

Lines field_lines(const Field* f) {
    if (!f) return {};
    switch (f->type) {
        case FieldType::Link:
        case FieldType::Links: {
            Lines out;
            for (const auto& l : f->links) out.push_back(DefinitionFields::link_text(l));
            return out;
        }
        case FieldType::Entries: {
            Lines out;
            for (const auto& e : f->entries) out.push_back(e.summary);
            return out;
        }
        default: {
            std::string v = DefinitionFields::value_text(*f, ", ");
            return v.empty() ? Lines{} : Lines{v};
        }
    }
}

int64_t number_of(const Definition& d, const char* key) {
    const Field* f = d.find(key);
    return f && f->number ? *f->number : 0;
}

Lines size_cell(const Definition& d, const DefinitionFields&) {
    return {size_text(static_cast<int32_t>(number_of(d, "size")),
                      static_cast<int32_t>(number_of(d, "max_size")))};
}

// "A[1..80]" for the item whose fields begin with `prefix`.
Lines item_format(const Definition& d, const std::string& prefix) {
    auto number = [&](const char* key) {
        return static_cast<int32_t>(number_of(d, (prefix + key).c_str()));
    };
    return {format_text(number("format_code"), number("size"), number("max_size"))};
}
Lines id_format_cell(const Definition& d, const DefinitionFields&) { return item_format(d, "id_"); }
Lines body_format_cell(const Definition& d, const DefinitionFields&) {
    return item_format(d, "body_");
}

// Each linked report with its variables, as the host receives them.
Lines event_reports_cell(const Definition& d, const DefinitionFields& defs) {
    Lines out;
    for (const auto& link : d.find("reports")->links) {
        std::string line = DefinitionFields::link_text(link);
        size_t index = defs.store().rp.find_name(link.name);
        if (index != edit::Table<edit::Report>::npos) {
            Lines vars = field_lines(defs.get(Kind::RP, index).find("variables"));
            for (size_t i = 0; i < vars.size(); ++i) line += (i ? ", " : ": ") + vars[i];
        }
        out.push_back(line);
    }
    return out;
}

Lines spool_functions_cell(const Definition& d, const DefinitionFields&) {
    std::string line;
    for (auto f : d.find("functions")->numbers)
        line += (line.empty() ? "S" : ", S") + d.id + "F" + std::to_string(f);
    return line.empty() ? Lines{} : Lines{line};
}

const std::vector<SectionKind>& sections() {
    static const std::vector<Column> variable_columns = {
        {"ID", "id"},         {"Name", "name"},
        {"Format", "format"}, {"Size", "", size_cell},
        {"Units", "units"},   {"Min", "min"},
        {"Max", "max"},       {"Default", "nominal"},
        {"Limits", "limits"}, {"Elements", "elements"}};
    static const std::vector<SectionKind> kinds = {
        {Kind::EC, "Equipment constants (EC)", variable_columns},
        {Kind::SV, "Status variables (SV)", variable_columns},
        {Kind::DV, "Data variables (DVVAL)", variable_columns},
        {Kind::CE,
         "Collection events (CE)",
         {{"CEID", "id"},
          {"Name", "name"},
          {"Enabled", "enabled"},
          {"Reports and their variables", "", event_reports_cell}}},
        {Kind::RP, "Reports (RP)", {{"RPTID", "id"}, {"Name", "name"}, {"Variables", "variables"}}},
        {Kind::AL,
         "Alarms (AL)",
         {{"ALID", "id"},
          {"Name", "name"},
          {"ALCD", "code"},
          {"Category", "category"},
          {"Text", "text"},
          {"Set event", "set_event"},
          {"Clear event", "clear_event"},
          {"Enabled", "enabled"}}},
        {Kind::PP,
         "Process programs (PP)",
         {{"PPID", "id"},
          {"Name", "name"},
          {"PPID format", "", id_format_cell},
          {"Body", "body"},
          {"Body format", "", body_format_cell}}},
        {Kind::FP,
         "Formatted process programs (FPP)",
         {{"PPID", "id"},
          {"Name", "name"},
          {"PPID format", "", id_format_cell},
          {"MDLN", "model"},
          {"SOFTREV", "software_revision"},
          {"Command codes and parameters", "command_codes"}}},
        {Kind::RC,
         "Recipes (RCP)",
         {{"RCPID", "id"}, {"Name", "name"}, {"Body", "body"}, {"Parameters", "parameters"}}},
        {Kind::SP,
         "Spooled messages (SPOOL)",
         {{"Stream", "stream"}, {"Name", "name"}, {"Spooled messages", "", spool_functions_cell}}},
        {Kind::TR,
         "Traces (TRACE)",
         {{"TRID", "id"},
          {"Name", "name"},
          {"TRID format", "", id_format_cell},
          {"Sample period", "period"},
          {"Total samples", "total_samples"},
          {"Group size", "group_size"},
          {"Status variables", "variables"}}},
    };
    return kinds;
}

}  // namespace

void write_reference(const DefinitionFields& defs, const std::string& file, DocumentWriter& out) {
    Utf8Converter utf8;
    std::vector<Section> toc;
    size_t total = 0;
    for (const auto& s : sections()) {
        toc.push_back({kind_key(s.kind), s.title, defs.count(s.kind)});
        total += toc.back().count;
    }
    out.begin("GEM reference: " + utf8(file),
              std::to_string(total) + " definitions, read from the object file " + utf8(file) + ".",
              toc);
    for (size_t k = 0; k < toc.size(); ++k) {
        const SectionKind& s = sections()[k];
        out.section(toc[k]);
        if (toc[k].count == 0) continue;
        std::vector<std::string> headers;
        for (const auto& c : s.columns) headers.push_back(c.caption);
        out.table(headers);
        std::vector<Cell> cells(s.columns.size());
        for (size_t i = 0; i < toc[k].count; ++i) {
            Definition d = defs.get(s.kind, i);
            for (size_t c = 0; c < s.columns.size(); ++c) {
                const Column& col = s.columns[c];
                Lines lines = col.render ? col.render(d, defs) : field_lines(d.find(col.key));
                cells[c].clear();
                for (const auto& line : lines) cells[c].push_back(utf8(line));
            }
            out.row(cells);
        }
        out.table_end();
    }
    out.end();
}

}  // namespace zor::inspect
