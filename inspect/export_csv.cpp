#include "inspect/export_csv.h"

#include <algorithm>
#include <filesystem>

#include "inspect/utf8_text.h"
#include "platform/platform.h"

namespace zor::inspect {
namespace {

// A list of a kind's definitions as a table of its own, one row per entry:
// the definition's key, the entry's place (from 1), the entry's fields.
// What spreadsheets and databases filter on; the kind's own file keeps the
// list as one cell.
struct ChildTable {
    const char* file;
    std::vector<Kind> kinds;
    std::string_view list;                  // the field listed
    std::string_view id_column;             // the definition's ID ("kind" first for variables)
    std::vector<std::string_view> columns;  // after "position": the entry's
    std::string_view nested = {};           // a list inside each entry, one row per its entry
    std::vector<std::string_view> nested_columns = {};
};

const std::vector<ChildTable>& child_tables() {
    static const std::vector<Kind> variables = {Kind::EC, Kind::SV, Kind::DV};
    static const std::vector<ChildTable> tables = {
        {"variable_events", variables, "events", "vid", {"name", "id"}},
        {"variable_limits", variables, "limits", "vid", {"id", "lower", "upper"}},
        {"variable_elements", variables, "elements", "vid", {"name", "id"}},
        {"ce_reports", {Kind::CE}, "reports", "ceid", {"name", "id"}},
        {"rp_variables", {Kind::RP}, "variables", "rptid", {"name", "id"}},
        {"spool_functions", {Kind::SP}, "functions", "stream", {"function"}},
        {"fpp_params",
         {Kind::FP},
         "command_codes",
         "ppid",
         {"code", "code_format", "code_format_code", "code_size", "code_max_size"},
         "parameters",
         {"value", "value_format", "value_format_code", "value_size", "value_max_size"}},
        {"rcp_params",
         {Kind::RC},
         "parameters",
         "rcpid",
         {"name", "value", "value_format", "value_format_code", "value_size"}},
        {"trace_variables", {Kind::TR}, "variables", "trid", {"name", "id"}},
    };
    return tables;
}

// One table's rows in the kind files' shape: cells joined, CR LF after each.
class Rows {
  public:
    explicit Rows(Utf8Converter& utf8) : utf8_(utf8) {}
    void cell(const std::string& sjis) {
        line_ += (line_.empty() ? "" : ",") + csv_field(utf8_(sjis));
    }
    void header(std::string_view name) { line_ += (line_.empty() ? "" : ",") + std::string(name); }
    void end() {
        text_ += line_ + "\r\n";
        line_.clear();
    }
    const std::string& text() const { return text_; }

  private:
    Utf8Converter& utf8_;
    std::string line_, text_;
};

void entry_cells(Rows& rows, const GroupEntry& entry,
                 const std::vector<std::string_view>& columns) {
    for (auto column : columns) {
        const Field* f = nullptr;
        for (const auto& candidate : entry.fields)
            if (candidate.key == column) f = &candidate;
        rows.cell(f ? DefinitionFields::value_text(*f, "\n") : std::string());
    }
}

std::string child_table(const DefinitionFields& defs, const ChildTable& t, Utf8Converter& utf8) {
    bool variables = t.kinds.size() > 1;
    Rows rows(utf8);
    if (variables) rows.header("kind");
    rows.header(t.id_column);
    rows.header("position");
    for (auto c : t.columns) rows.header(c);
    if (!t.nested.empty()) {
        rows.header(std::string(t.nested) + "_position");
        for (auto c : t.nested_columns) rows.header(c);
    }
    rows.end();
    for (Kind kind : t.kinds)
        for (size_t i = 0, n = defs.count(kind); i < n; ++i) {
            Definition d = defs.get(kind, i);
            const Field* list = d.find(t.list);
            auto start = [&](size_t position) {
                if (variables) rows.cell(kind_name(kind));
                rows.cell(d.id);
                rows.cell(std::to_string(position));
            };
            for (size_t k = 0; k < list->links.size(); ++k) {
                start(k + 1);
                rows.cell(list->links[k].name);
                rows.cell(list->links[k].id ? std::to_string(*list->links[k].id) : std::string());
                rows.end();
            }
            for (size_t k = 0; k < list->numbers.size(); ++k) {
                start(k + 1);
                rows.cell(std::to_string(list->numbers[k]));
                rows.end();
            }
            for (size_t k = 0; k < list->entries.size(); ++k) {
                const GroupEntry& e = list->entries[k];
                if (t.nested.empty()) {
                    start(k + 1);
                    entry_cells(rows, e, t.columns);
                    rows.end();
                    continue;
                }
                const Field* inner = nullptr;
                for (const auto& f : e.fields)
                    if (f.key == t.nested) inner = &f;
                // A command code without parameters still has its row.
                size_t count = inner ? inner->entries.size() : 0;
                for (size_t j = 0; j < std::max<size_t>(count, 1); ++j) {
                    start(k + 1);
                    entry_cells(rows, e, t.columns);
                    if (j < count) {
                        rows.cell(std::to_string(j + 1));
                        entry_cells(rows, inner->entries[j], t.nested_columns);
                    } else {
                        for (size_t c = 0; c <= t.nested_columns.size(); ++c) rows.cell("");
                    }
                    rows.end();
                }
            }
        }
    return rows.text();
}

// Each table is replaced whole, with the byte order mark spreadsheets read
// UTF-8 by.
bool write_file(const std::string& path, const std::string& text, std::string& error) {
    int fault = platform::replace_whole_file(path, "\xEF\xBB\xBF" + text);
    if (fault == 0) return true;
    error = "cannot write " + path + ": " + platform::file_error_cause(fault);
    return false;
}

}  // namespace

std::string csv_field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

bool export_csv(const DefinitionFields& defs, const std::string& directory, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(platform::native_path(directory), ec);
    if (ec) {
        error = "cannot create " + directory + ": " + ec.message();
        return false;
    }
    Utf8Converter utf8;
    for (Kind kind : kAllKinds) {
        std::string text, line;
        for (const auto& f : DefinitionFields::blank(kind)) {
            if (!line.empty()) line += ',';
            line += f.key;
        }
        text += line + "\r\n";
        for (size_t i = 0, n = defs.count(kind); i < n; ++i) {
            line.clear();
            bool first = true;
            for (const auto& f : defs.get(kind, i).fields) {
                if (!first) line += ',';
                first = false;
                line += csv_field(utf8(DefinitionFields::value_text(f, "\n")));
            }
            text += line + "\r\n";
        }
        std::string path = (std::filesystem::path(directory) / (kind_key(kind) + ".csv")).string();
        if (!write_file(path, text, error)) return false;
    }
    for (const auto& t : child_tables()) {
        std::string path =
            (std::filesystem::path(directory) / (std::string(t.file) + ".csv")).string();
        if (!write_file(path, child_table(defs, t, utf8), error)) return false;
    }
    return true;
}

}  // namespace zor::inspect
