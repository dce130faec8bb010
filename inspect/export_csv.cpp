#include "inspect/export_csv.h"

#include <filesystem>
#include <fstream>

#include "inspect/utf8_text.h"
#include "platform/platform.h"

namespace zor::inspect {

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
        const auto file = platform::native_path(directory) / (kind_key(kind) + ".csv");
        std::ofstream out(file, std::ios::binary);
        out << "\xEF\xBB\xBF";
        std::string line;
        for (const auto& f : DefinitionFields::blank(kind)) {
            if (!line.empty()) line += ',';
            line += f.key;
        }
        out << line << "\r\n";
        for (size_t i = 0, n = defs.count(kind); i < n; ++i) {
            line.clear();
            bool first = true;
            for (const auto& f : defs.get(kind, i).fields) {
                if (!first) line += ',';
                first = false;
                line += csv_field(utf8(DefinitionFields::value_text(f, "\n")));
            }
            out << line << "\r\n";
        }
        out.close();
        if (!out) {
            error = "cannot write " + platform::path_name(file);
            return false;
        }
    }
    return true;
}

}  // namespace zor::inspect
