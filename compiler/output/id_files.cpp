#include "compiler/output/id_files.h"

#include "compiler/output/text_format.h"

namespace zor::compiler {
namespace {

constexpr size_t kValueColumn = 56;
constexpr size_t kCommentColumn = 72;

void pad(std::string& text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
}

std::string padded(std::string text, size_t width) {
    pad(text, width);
    return text;
}

const std::string kBasicDashes = "'" + std::string(55, '-') + "\n";
const std::string kCDashes = "/*" + std::string(54, '-') + "*/\n";

// The three comment lines that open each file, naming it.
std::string c_head(const std::string& path) {
    return kCDashes +
           padded(format("/*  %s - ZorGemLib / ZOREng4 ID Definition", path.c_str()),
                  kValueColumn) +
           "*/\n" + kCDashes;
}

std::string basic_head(const std::string& path) {
    return kBasicDashes +
           format("' %s - ZorGemLib / ZOREng4 ID definition         \n", path.c_str()) +
           kBasicDashes;
}

}  // namespace

std::string IdFiles::open(const OutputPaths& paths, const std::string& list_path) {
    paths_ = paths;
    if (!h_.open_replacing(paths.h)) return paths.h;
    if (!bas_.open_replacing(paths.bas)) return paths.bas;
    if (!vb_.open_replacing(paths.vb)) return paths.vb;
    if (!cs_.open_replacing(paths.cs)) return paths.cs;
    if (!list_.open_replacing(list_path)) return list_path;
    return {};
}

void IdFiles::write_heads() {
    bas_.write("Attribute VB_Name = \"Eng_Id.bas\"\n" + basic_head(paths_.bas));
    vb_.write(basic_head(paths_.vb) + "Public Class Ceng_id\n");
    h_.write(c_head(paths_.h));
    cs_.write(c_head(paths_.cs) + "namespace ZorApp\n{\n    class eng_id\n    {\n");
}

void IdFiles::numeric_constant(std::string_view name, int32_t id) {
    struct Style {
        std::string_view first_before, first_after;  // around the name
        std::string_view decimal_before, decimal_after;
        std::string_view comment;  // before the hexadecimal ID
    };
    auto line = [&](const Style& s) {
        std::string text(s.first_before);
        text += name;
        text += s.first_after;
        pad(text, kValueColumn);
        text += s.decimal_before;
        append_decimal(text, id);
        text += s.decimal_after;
        pad(text, kCommentColumn);
        text += s.comment;
        append_hex8(text, static_cast<uint32_t>(id));
        text += "\n";
        return text;
    };
    h_.write(line({"#define  ", "", "", " ", " // 0x"}));
    bas_.write(line({"Public Const ", " = ", "", " ", " ' 0x"}));
    vb_.write(line({"  Public Const ", " as Integer = ", "", " ", " ' 0x"}));
    cs_.write(line({"    public const int ", " = ", " ", ";", " // 0x"}));
}

void IdFiles::text_constant(std::string_view name, std::string_view value) {
    auto line = [&](std::string_view before, std::string_view after, std::string_view end) {
        std::string text(before);
        text += name;
        text += after;
        pad(text, kValueColumn);
        text += " \"";
        text += value;
        text += "\"";
        text += end;
        return text;
    };
    h_.write(line("#define ", "", "\n"));
    bas_.write(line("Public Const ", " = ", "\n"));
    vb_.write(line("  Public Const ", " as string = ", "\n"));
    cs_.write(line("    public const string ", "  = ", ";\n"));
}

void IdFiles::list_line(std::string_view name, int32_t id, std::string_view format_name,
                        int32_t size, const IdListTexts& texts) {
    std::string line = ", ";
    line += name;
    line += ", 0x";
    append_hex8(line, static_cast<uint32_t>(id), true);
    line += ", ";
    line += format_name;
    line += "[";
    append_decimal(line, size);
    line += "], ";
    line += texts.a;
    line += ", ";
    line += texts.b;
    line += ", ";
    line += texts.c;
    line += ", ";
    line += texts.d;
    line += "\n";
    list_.write(line);
}

std::vector<WriteFailure> IdFiles::close_with_tails() {
    vb_.write("End Class\n");
    cs_.write("\n    }\n}\n");
    return close();
}

std::vector<WriteFailure> IdFiles::close() {
    std::vector<WriteFailure> failures;
    for (TextFile* file : {&h_, &bas_, &vb_, &cs_, &list_}) file->close_into(failures);
    return failures;
}

void IdFiles::discard() {
    for (TextFile* file : {&h_, &bas_, &vb_, &cs_, &list_}) file->discard();
}

std::string_view list_format_name(int code) {
    switch (code) {
        case 0: return "L";
        case 8: return "B";
        case 9: return "T";
        case 16: return "A";
        case 17: return "J";
        case 24: return "I8";
        case 25: return "I1";
        case 26: return "I2";
        case 28: return "I4";
        case 32: return "F8";
        case 36: return "F4";
        case 40: return "U8";
        case 41: return "U1";
        case 42: return "U2";
        case 44: return "U4";
        case 61: return "LE";
        default: return "";
    }
}

}  // namespace zor::compiler
