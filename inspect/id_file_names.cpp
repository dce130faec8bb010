#include "inspect/id_file_names.h"

#include <algorithm>
#include <array>

namespace zor::inspect {
namespace {

// Sorted, for binary search.
constexpr std::array<std::string_view, 44> kC = {
    "_Alignas",  "_Alignof",       "_Atomic",       "_Bool",   "_Complex", "_Generic", "_Imaginary",
    "_Noreturn", "_Static_assert", "_Thread_local", "auto",    "break",    "case",     "char",
    "const",     "continue",       "default",       "do",      "double",   "else",     "enum",
    "extern",    "float",          "for",           "goto",    "if",       "inline",   "int",
    "long",      "register",       "restrict",      "return",  "short",    "signed",   "sizeof",
    "static",    "struct",         "switch",        "typedef", "union",    "unsigned", "void",
    "volatile",  "while"};
constexpr std::array<std::string_view, 77> kCSharp = {
    "abstract", "as",         "base",    "bool",     "break",     "byte",     "case",
    "catch",    "char",       "checked", "class",    "const",     "continue", "decimal",
    "default",  "delegate",   "do",      "double",   "else",      "enum",     "event",
    "explicit", "extern",     "false",   "finally",  "fixed",     "float",    "for",
    "foreach",  "goto",       "if",      "implicit", "in",        "int",      "interface",
    "internal", "is",         "lock",    "long",     "namespace", "new",      "null",
    "object",   "operator",   "out",     "override", "params",    "private",  "protected",
    "public",   "readonly",   "ref",     "return",   "sbyte",     "sealed",   "short",
    "sizeof",   "stackalloc", "static",  "string",   "struct",    "switch",   "this",
    "throw",    "true",       "try",     "typeof",   "uint",      "ulong",    "unchecked",
    "unsafe",   "ushort",     "using",   "virtual",  "void",      "volatile", "while"};
// Upper case: Visual Basic ignores case.
constexpr std::array<std::string_view, 88> kVb = {
    "ADDHANDLER", "ADDRESSOF", "ALIAS",    "AND",      "ANDALSO",   "AS",         "BOOLEAN",
    "BYREF",      "BYTE",      "BYVAL",    "CALL",     "CASE",      "CATCH",      "CBOOL",
    "CBYTE",      "CCHAR",     "CDATE",    "CDBL",     "CDEC",      "CHAR",       "CINT",
    "CLASS",      "CLNG",      "COBJ",     "CONST",    "CONTINUE",  "CSBYTE",     "CSHORT",
    "CSNG",       "CSTR",      "CTYPE",    "CUINT",    "CULNG",     "CUSHORT",    "DATE",
    "DECIMAL",    "DECLARE",   "DEFAULT",  "DELEGATE", "DIM",       "DIRECTCAST", "DO",
    "DOUBLE",     "EACH",      "ELSE",     "ELSEIF",   "END",       "ENUM",       "ERASE",
    "ERROR",      "EVENT",     "EXIT",     "FALSE",    "FINALLY",   "FOR",        "FRIEND",
    "FUNCTION",   "GET",       "GETTYPE",  "GOTO",     "HANDLES",   "IF",         "IMPLEMENTS",
    "IMPORTS",    "IN",        "INHERITS", "INTEGER",  "INTERFACE", "IS",         "LET",
    "LIB",        "LIKE",      "LONG",     "LOOP",     "ME",        "MOD",        "MODULE",
    "NEW",        "NEXT",      "NOT",      "NOTHING",  "OBJECT",    "OF",         "ON",
    "OR",         "PUBLIC",    "SUB",      "TRUE"};

template <size_t N>
bool listed(const std::array<std::string_view, N>& words, std::string_view name) {
    return std::binary_search(words.begin(), words.end(), name);
}

bool identifier(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_'))
            return false;
    return true;
}

}  // namespace

std::string vb_key(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
}

std::string languages_refusing(std::string_view name) {
    if (!identifier(name)) return "C, C#, VB";
    std::string out;
    auto add = [&](const char* language) {
        out += (out.empty() ? "" : ", ") + std::string(language);
    };
    if (listed(kC, name)) add("C");
    if (listed(kCSharp, name)) add("C#");
    // A lone '_' continues a line in VB, and its names begin with a letter
    // or '_' followed by one.
    if (listed(kVb, vb_key(name)) || name == "_") add("VB");
    return out;
}

}  // namespace zor::inspect
