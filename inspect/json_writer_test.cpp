// The JSON every export and diff writes: layout, commas, empty containers,
// and the bytes a string literal must escape.
#include "inspect/json_writer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zor::inspect {
namespace {

TEST(JsonWriter, NestsWithCommasAndTwoBlanksAndKeepsEmptyContainersOnOneLine) {
    std::ostringstream out;
    {
        JsonWriter json(out);
        json.begin_object();
        json.key("a");
        json.number(-1);
        json.key("list");
        json.begin_array();
        json.string("x");
        json.null();
        json.begin_object();
        json.end_object();
        json.end_array();
        json.key("none");
        json.begin_array();
        json.end_array();
        json.key("opt");
        json.optional_string(std::nullopt);
        json.end_object();
        json.finish();
    }
    EXPECT_EQ(out.str(),
              "{\n  \"a\": -1,\n  \"list\": [\n    \"x\",\n    null,\n    {}\n  ],\n"
              "  \"none\": [],\n  \"opt\": null\n}\n");
}

TEST(JsonWriter, EscapesQuotesBackslashesAndControlBytesButNotUtf8) {
    std::string s;
    append_json_utf8(s, "a\"b\\c\td\x01\x1f ソ\x7f");
    EXPECT_EQ(s, "\"a\\\"b\\\\c\\u0009d\\u0001\\u001f ソ\x7f\"");
}

TEST(JsonWriter, ALargeDocumentComesOutWholeWhenTheWriterGoes) {
    std::ostringstream out;
    {
        JsonWriter json(out);
        json.begin_array();
        for (int i = 0; i < 20000; ++i) {
            json.begin_object();
            json.key("i");
            json.number(i);
            json.end_object();
        }
        json.end_array();
    }  // no finish(): the destructor still writes what is buffered
    const std::string text = out.str();
    EXPECT_TRUE(text.ends_with("{\n    \"i\": 19999\n  }\n]")) << text.substr(text.size() - 40);
    size_t objects = 0;
    for (size_t at = text.find("\"i\": "); at != std::string::npos;
         at = text.find("\"i\": ", at + 1))
        ++objects;
    EXPECT_EQ(objects, 20000u);
}

}  // namespace
}  // namespace zor::inspect
