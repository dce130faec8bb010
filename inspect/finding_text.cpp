#include "inspect/finding_text.h"

#include "inspect/json_writer.h"
#include "inspect/utf8_text.h"

namespace zor::inspect {
namespace {

const char* severity_word(Severity s) { return s == Severity::Error ? "error" : "warning"; }

}  // namespace

std::string finding_line(const Finding& f, const std::string& fil, const std::string& source) {
    return (f.line > 0 ? source + ":" + std::to_string(f.line) : fil) + ": " + finding_body(f);
}

std::string finding_body(const Finding& f) {
    std::string subject = kind_name(f.kind);
    if (!f.id.empty()) subject += " " + f.id;
    if (!f.name.empty()) subject += " " + f.name;
    return std::string(severity_word(f.severity)) + " " + f.code + ": " + subject + ": " + f.text;
}

std::string findings_json(const std::vector<Finding>& findings) {
    Utf8Converter utf8;
    std::string out = "[";
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        auto member = [&](const char* key, std::string_view sjis) {
            out += out.back() == '{' ? "\"" : ", \"";
            out += key;
            out += "\": ";
            append_json_utf8(out, utf8(sjis));
        };
        out += i ? ",\n  {" : "\n  {";
        member("code", f.code);
        member("severity", severity_word(f.severity));
        member("kind", kind_name(f.kind));
        member("id", f.id);
        member("name", f.name);
        member("text", f.text);
        out += ", \"line\": " + (f.line > 0 ? std::to_string(f.line) : std::string("null"));
        out += "}";
    }
    return out + (findings.empty() ? "]\n" : "\n]\n");
}

}  // namespace zor::inspect
