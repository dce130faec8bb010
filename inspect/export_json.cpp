#include "inspect/export_json.h"

namespace zor::inspect {
namespace {

void write_link(JsonWriter& json, const LinkTarget& link, Utf8Converter& utf8) {
    json.begin_object();
    json.key("name");
    json.string(utf8(link.name));
    json.key("id");
    if (link.id)
        json.number(*link.id);
    else
        json.null();
    json.end_object();
}

void write_value(JsonWriter& json, const Field& f, Utf8Converter& utf8) {
    switch (f.type) {
        case FieldType::Text:
            if (f.text)
                json.string(utf8(*f.text));
            else
                json.null();
            return;
        case FieldType::Number:
            if (f.number)
                json.number(*f.number);
            else
                json.null();
            return;
        case FieldType::Link:
            if (f.links.empty())
                json.null();
            else
                write_link(json, f.links.front(), utf8);
            return;
        case FieldType::Links:
            json.begin_array();
            for (const auto& l : f.links) write_link(json, l, utf8);
            json.end_array();
            return;
        case FieldType::Numbers:
            json.begin_array();
            for (auto n : f.numbers) json.number(n);
            json.end_array();
            return;
        case FieldType::Entries:
            json.begin_array();
            for (const auto& e : f.entries) {
                json.begin_object();
                write_fields(json, e.fields, utf8);
                json.end_object();
            }
            json.end_array();
            return;
    }
}

}  // namespace

void write_fields(JsonWriter& json, const std::vector<Field>& fields, Utf8Converter& utf8) {
    for (const auto& f : fields) {
        json.key(f.key);
        write_value(json, f, utf8);
    }
}

void export_json(const DefinitionFields& defs, const std::string& file, std::ostream& out) {
    Utf8Converter utf8;
    JsonWriter json(out);
    json.begin_object();
    json.key("schema");
    json.number(kExportSchema);
    json.key("file");
    json.string(utf8(file));
    json.key("definitions");
    json.begin_object();
    for (Kind kind : kAllKinds) {
        json.key(kind_key(kind));
        json.begin_array();
        for (size_t i = 0, n = defs.count(kind); i < n; ++i) {
            json.begin_object();
            write_fields(json, defs.get(kind, i).fields, utf8);
            json.end_object();
        }
        json.end_array();
    }
    json.end_object();
    json.end_object();
    json.finish();
}

}  // namespace zor::inspect
