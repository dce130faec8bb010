#include "inspect/finding_text.h"

#include <cstdio>

#include "textscan/textscan.h"

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

std::string json_string(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (kanji_ck(c) && i + 1 < text.size()) {
            out += text[i];
            out += text[++i];
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string findings_json(const std::vector<Finding>& findings) {
    std::string out = "[";
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += i ? ",\n  {" : "\n  {";
        out += "\"code\": " + json_string(f.code);
        out += ", \"severity\": " + json_string(severity_word(f.severity));
        out += ", \"kind\": " + json_string(kind_name(f.kind));
        out += ", \"id\": " + json_string(f.id);
        out += ", \"name\": " + json_string(f.name);
        out += ", \"text\": " + json_string(f.text);
        out += ", \"line\": " + (f.line > 0 ? std::to_string(f.line) : std::string("null"));
        out += "}";
    }
    return out + (findings.empty() ? "]\n" : "\n]\n");
}

}  // namespace zor::inspect
