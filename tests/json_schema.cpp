#include "tests/json_schema.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace zor::testing {
namespace {

class Parser {
  public:
    explicit Parser(const std::string& t) : t_(t) {}

    JsonValue document() {
        JsonValue v = value();
        skip();
        if (p_ != t_.size()) fail("text after the document");
        return v;
    }

  private:
    JsonValue value() {
        skip();
        if (p_ >= t_.size()) fail("value expected");
        JsonValue v;
        char c = t_[p_];
        if (c == '{') {
            v.type = JsonValue::Type::Object;
            ++p_;
            if (!next_is('}')) {
                do {
                    skip();
                    std::string key = string();
                    expect(':');
                    v.members.emplace_back(std::move(key), value());
                } while (next_is(','));
                expect('}');
            }
        } else if (c == '[') {
            v.type = JsonValue::Type::Array;
            ++p_;
            if (!next_is(']')) {
                do v.items.push_back(value());
                while (next_is(','));
                expect(']');
            }
        } else if (c == '"') {
            v.type = JsonValue::Type::String;
            v.text = string();
        } else if (word("null")) {
        } else if (word("true")) {
            v.type = JsonValue::Type::Boolean;
            v.boolean = true;
        } else if (word("false")) {
            v.type = JsonValue::Type::Boolean;
        } else {
            v.type = JsonValue::Type::Number;
            const char* start = t_.c_str() + p_;
            char* end = nullptr;
            v.number = std::strtod(start, &end);
            if (end == start) fail("value expected");
            p_ += static_cast<size_t>(end - start);
        }
        return v;
    }
    std::string string() {
        if (p_ >= t_.size() || t_[p_] != '"') fail("string expected");
        ++p_;
        std::string s;
        while (p_ < t_.size() && t_[p_] != '"') {
            auto c = static_cast<unsigned char>(t_[p_++]);
            if (c < 0x20) fail("control byte in a string");
            if (c != '\\') {
                s += static_cast<char>(c);
                continue;
            }
            if (p_ >= t_.size()) fail("escape cut short");
            char e = t_[p_++];
            switch (e) {
                case 'n': s += '\n'; break;
                case 'r': s += '\r'; break;
                case 't': s += '\t'; break;
                case 'b': s += '\b'; break;
                case 'f': s += '\f'; break;
                case 'u': {
                    unsigned code =
                        static_cast<unsigned>(std::stoul(t_.substr(p_, 4), nullptr, 16));
                    p_ += 4;
                    if (code >= 0x80) fail("only \\u escapes of ASCII are read");
                    s += static_cast<char>(code);
                    break;
                }
                case '"':
                case '\\':
                case '/': s += e; break;
                default: fail("unknown escape");
            }
        }
        if (p_ >= t_.size()) fail("string not closed");
        ++p_;
        return s;
    }
    bool word(const char* w) {
        std::string s(w);
        if (t_.compare(p_, s.size(), s) != 0) return false;
        p_ += s.size();
        return true;
    }
    void skip() {
        while (p_ < t_.size() &&
               (t_[p_] == ' ' || t_[p_] == '\n' || t_[p_] == '\r' || t_[p_] == '\t'))
            ++p_;
    }
    bool next_is(char c) {
        skip();
        if (p_ < t_.size() && t_[p_] == c) return ++p_, true;
        return false;
    }
    void expect(char c) {
        if (!next_is(c)) fail(std::string("'") + c + "' expected");
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("JSON at byte " + std::to_string(p_) + ": " + what);
    }
    const std::string& t_;
    size_t p_ = 0;
};

bool has_type(const JsonValue& v, const std::string& type) {
    using T = JsonValue::Type;
    if (type == "integer") return v.type == T::Number && std::floor(v.number) == v.number;
    if (type == "number") return v.type == T::Number;
    if (type == "string") return v.type == T::String;
    if (type == "object") return v.type == T::Object;
    if (type == "array") return v.type == T::Array;
    if (type == "boolean") return v.type == T::Boolean;
    if (type == "null") return v.type == T::Null;
    throw std::runtime_error("unknown type " + type);
}

class Validator {
  public:
    explicit Validator(const JsonValue& root) : root_(root) {}
    std::vector<std::string> faults;

    void check(const JsonValue& v, const JsonValue& schema, const std::string& path) {
        for (const auto& [keyword, arg] : schema.members) {
            if (keyword == "$schema" || keyword == "$id" || keyword == "title" ||
                keyword == "description" || keyword == "$defs")
                continue;
            if (keyword == "$ref") {
                check(v, resolve(arg.text), path);
            } else if (keyword == "type") {
                bool ok = false;
                if (arg.type == JsonValue::Type::String) ok = has_type(v, arg.text);
                for (const auto& t : arg.items) ok = ok || has_type(v, t.text);
                if (!ok) fault(path, "wrong type");
            } else if (keyword == "const") {
                if (!(v == arg)) fault(path, "not the constant");
            } else if (keyword == "enum") {
                bool ok = false;
                for (const auto& e : arg.items) ok = ok || v == e;
                if (!ok) fault(path, "not one of the enumerated values");
            } else if (keyword == "minimum") {
                if (v.type == JsonValue::Type::Number && v.number < arg.number)
                    fault(path, "below the minimum");
            } else if (keyword == "maximum") {
                if (v.type == JsonValue::Type::Number && v.number > arg.number)
                    fault(path, "above the maximum");
            } else if (keyword == "required") {
                if (v.type != JsonValue::Type::Object) continue;
                for (const auto& r : arg.items)
                    if (!v.member(r.text)) fault(path, "missing key " + r.text);
            } else if (keyword == "properties") {
                for (const auto& [key, value] : v.members)
                    if (const JsonValue* sub = arg.member(key))
                        check(value, *sub, path + "/" + key);
            } else if (keyword == "additionalProperties") {
                if (arg.type != JsonValue::Type::Boolean || arg.boolean)
                    throw std::runtime_error("only additionalProperties: false is read");
                const JsonValue* props = schema.member("properties");
                for (const auto& [key, value] : v.members)
                    if (!props || !props->member(key)) fault(path, "unexpected key " + key);
            } else if (keyword == "items") {
                for (size_t i = 0; i < v.items.size(); ++i)
                    check(v.items[i], arg, path + "/" + std::to_string(i));
            } else if (keyword == "anyOf") {
                bool ok = false;
                for (const auto& alternative : arg.items) {
                    Validator trial(root_);
                    trial.check(v, alternative, path);
                    ok = ok || trial.faults.empty();
                }
                if (!ok) fault(path, "matches no alternative");
            } else {
                throw std::runtime_error("unsupported schema keyword " + keyword);
            }
        }
    }

  private:
    const JsonValue& resolve(const std::string& ref) {
        const std::string prefix = "#/$defs/";
        const JsonValue* defs = root_.member("$defs");
        const JsonValue* target =
            ref.rfind(prefix, 0) == 0 && defs ? defs->member(ref.substr(prefix.size())) : nullptr;
        if (!target) throw std::runtime_error("unresolved $ref " + ref);
        return *target;
    }
    void fault(const std::string& path, const std::string& what) {
        faults.push_back((path.empty() ? "/" : path) + ": " + what);
    }
    const JsonValue& root_;
};

}  // namespace

const JsonValue* JsonValue::member(const std::string& key) const {
    for (const auto& [k, v] : members)
        if (k == key) return &v;
    return nullptr;
}

JsonValue parse_json(const std::string& text) { return Parser(text).document(); }

std::vector<std::string> validate_json(const JsonValue& doc, const JsonValue& schema) {
    Validator v(schema);
    v.check(doc, schema, "");
    return v.faults;
}

namespace {

// Reads the document as UTF-8 bytes (a Shift-JIS byte fails here) and
// prints one line per fault.
constexpr const char* kValidator = R"(
import json, sys
try:
    import jsonschema
except ImportError:
    print("/: python3-jsonschema is not installed"); sys.exit(0)
schema = json.load(open(sys.argv[1], encoding="utf-8"))
try:
    doc = json.loads(open(sys.argv[2], "rb").read().decode("utf-8"))
except ValueError as e:
    print("/: not UTF-8 JSON: %s" % e); sys.exit(0)
jsonschema.Draft202012Validator.check_schema(schema)
for e in sorted(jsonschema.Draft202012Validator(schema).iter_errors(doc), key=str):
    print("/" + "/".join(str(p) for p in e.absolute_path) + ": " + e.message)
)";

}  // namespace

std::vector<std::string> validate_with_jsonschema(const std::string& document,
                                                  const std::string& schema_path) {
    auto dir = std::filesystem::temp_directory_path() /
               ("zor_jsonschema_" + std::to_string(reinterpret_cast<uintptr_t>(&document)));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "validate.py", std::ios::binary) << kValidator;
    std::ofstream(dir / "doc.json", std::ios::binary) << document;
    std::string command = "python3 '" + (dir / "validate.py").string() + "' '" + schema_path +
                          "' '" + (dir / "doc.json").string() + "' 2>&1";
    std::vector<std::string> faults;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {"/: cannot run python3"};
    std::string out;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    int status = pclose(pipe);
    std::filesystem::remove_all(dir);
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos) end = out.size();
        faults.push_back(out.substr(start, end - start));
        start = end + 1;
    }
    if (status != 0 && faults.empty()) faults.push_back("/: the validator failed");
    return faults;
}

}  // namespace zor::testing
