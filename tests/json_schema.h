#pragma once
// Just enough JSON for the tests: a reader that keeps the order of keys, and
// a validator for the part of JSON Schema (2020-12) the checked-in schemas
// use: type, const, enum, properties, required, additionalProperties: false,
// items, minimum, maximum, anyOf and local $ref. A keyword outside that set
// is refused, so a schema never passes by being half read.

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zor::testing {

struct JsonValue {
    enum class Type { Null, Boolean, Number, String, Array, Object } type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in document order

    const JsonValue* member(const std::string& key) const;
    bool operator==(const JsonValue&) const = default;
};

// Throws std::runtime_error with the offset of the fault.
JsonValue parse_json(const std::string& text);

// The faults of `doc` against `schema`, each "/path: fault"; empty when valid.
std::vector<std::string> validate_json(const JsonValue& doc, const JsonValue& schema);

// The same with a real validator (Python's jsonschema, Draft 2020-12) run on
// `document` as bytes, which must also be strict UTF-8 JSON. Each fault is
// "/path: message"; one fault names a validator that cannot run.
std::vector<std::string> validate_with_jsonschema(const std::string& document,
                                                  const std::string& schema_path);

}  // namespace zor::testing
