// Sources that are not clean Shift-JIS: a compile that reports success
// always leaves an object file the editor can load; a value that would
// break a record line fails its item.

#include <gtest/gtest.h>

#include "tests/compile_load.h"
#include "tests/compile_run.h"

namespace zor::testing {
namespace {

const std::string kTemp = "def_sv TEMP1 {\r\n    svid : 1001\r\n    format : U4\r\n";
const std::string kAlarm = "def_alarm AL1 {\r\n    alid : 1\r\n    altx : \"over heat\"\r\n";

// The block fails at its item; the main loop then meets the closing brace,
// reports it and skips to the end of the file.
std::string failed_item_output(const std::string& item_line, int line) {
    return start_lines("eq.txt") + "  ! error line-" + std::to_string(line) + " \"" + item_line +
           "\"\n" + "  ! error line-" + std::to_string(line) + " \"" + item_line + "\"\n" +
           " !! line-" + std::to_string(line + 1) + " format error \"{\" not found : }" +
           summary_lines(1, 0) + "==> Compile error end\n";
}

void expect_item_failure(const std::string& source, const std::string& item_line, int line) {
    CompileRun run;
    run.write("eq.txt", source);
    EXPECT_EQ(run.compile("eq.txt"), 1);
    EXPECT_EQ(run.output(), failed_item_output(item_line, line));
    EXPECT_EQ(run.read("zor_conf.end"), "1");
    EXPECT_FALSE(run.exists("eq.fil"));
}

TEST(HostileSource, UnitsSavedAsUtf8FailTheirItem) {
    // "温度。" in UTF-8 ends with E3 80 82: the last byte is a lone lead byte.
    const std::string item = "    units : \xE6\xB8\xA9\xE5\xBA\xA6\xE3\x80\x82";
    expect_item_failure(kTemp + item + "\r\n}\r\n", item, 4);
    expect_item_failure(kTemp + item + "\n}\n", item, 4);
}

TEST(HostileSource, StrayLeadByteFailsItsItem) {
    expect_item_failure(kTemp + "    units : C\x95\r\n}\r\n", "    units : C\x95", 4);
    expect_item_failure(kTemp + "    units : \"C\x95\" // quoted\r\n}\r\n",
                        "    units : \"C\x95\" // quoted", 4);
    // At the end of the file, without a line end.
    CompileRun run;
    run.write("eq.txt", kTemp + "    units : C\x95");
    EXPECT_EQ(run.compile("eq.txt"), 1);
    EXPECT_EQ(run.read("zor_conf.end"), "1");
    EXPECT_FALSE(run.exists("eq.fil"));
}

TEST(HostileSource, EscapeThatTakesTheLineEndFailsItsItem) {
    expect_item_failure(kAlarm + "    alcd : \\x4\r\n}\r\n", "    alcd : \\x4", 4);
    expect_item_failure(kAlarm + "    alcd : 5\\\r\n}\r\n", "    alcd : 5\\", 4);
}

TEST(HostileSource, ShiftJisTextsStillCompileAndLoad) {
    CompileRun run;
    // "温度" in Shift-JIS, and a character whose trail byte is a backslash.
    run.write("eq.txt", kTemp + "    units : \x89\xB7\x93\x78\r\n    min : \"\x95\x5c\"\r\n}\r\n");
    EXPECT_EQ(run.compile("eq.txt"), 0);
    EXPECT_EQ(run.read("eq.fil"),
              "SV: NAME00000005TEMP1ID  000003e9FORM0000002cSIZE00000001MSIZ00000000"
              "UNIT00000004\x89\xB7\x93\x78MIN 00000002\x95\x5c\r\n");
    const LoadResult load = load_object_file(run);
    EXPECT_EQ(load.result, 1) << load.error;
}

TEST(HostileSource, ByteOrderMarkWarnsOnceAndTheCompileGoesOn) {
    CompileRun run;
    // The mark stays part of the first line, which is then no comment: its
    // block is skipped as before, the next one compiles.
    run.write("eq.txt", "\xEF\xBB\xBF// saved as UTF-8\r\ndef_sv A {\r\n    svid : 1\r\n}\r\n" +
                            kTemp + "}\r\n");
    EXPECT_EQ(run.compile("eq.txt"), 0);
    EXPECT_EQ(run.output(),
              start_lines("eq.txt") +
                  "  # warning line-1 the source looks like UTF-8, not Shift-JIS\n"
                  " !! line-1 format error \"{\" not found : \xEF\xBB\xBF// saved as UTF-8" +
                  summary_lines(0, 1) + result_lines());
    EXPECT_EQ(run.read("zor_conf.end"), "0");
    const LoadResult load = load_object_file(run);
    EXPECT_EQ(load.result, 1) << load.error;
}

}  // namespace
}  // namespace zor::testing
