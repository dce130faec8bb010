// ZorCompile run as a program: the files it writes, its standard output and
// its exit code, byte for byte.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "platform/testing/loopback_listener.h"
#include "tests/compile_run.h"

namespace zor::testing {
namespace {

std::string padded(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string c_head(const std::string& path) {
    std::string dashes = "/*" + std::string(54, '-') + "*/\r\n";
    return dashes + padded("/*  " + path + " - ZorGemLib / ZOREng4 ID Definition", 56) + "*/\r\n" +
           dashes;
}

std::string basic_dashes() { return "'" + std::string(55, '-') + "\r\n"; }

std::string basic_title(const std::string& path) {
    return "' " + path + " - ZorGemLib / ZOREng4 ID definition         \r\n";
}

TEST(CompilerDriver, SourceWithoutBlocksGivesEmptyObjectAndBareIdFiles) {
    CompileRun run;
    run.write("eq.txt", "// nothing but comments\r\n\r\n   // and a blank comment line\r\n");
    EXPECT_EQ(run.compile("eq.txt"), 0);
    std::string expected = start_lines("eq.txt") + summary_lines(0, 0) + result_lines();
    EXPECT_EQ(run.output(), expected);
    EXPECT_EQ(run.read("ZorEdit.log"), crlf(expected));
    EXPECT_EQ(run.read("AAZZ"), "     .cs    file (out) = eq.cs\r\n");
    EXPECT_TRUE(run.exists("eq.fil"));
    EXPECT_EQ(run.read("eq.fil"), "");
    EXPECT_EQ(run.read("eq.h"), c_head("eq.h"));
    EXPECT_EQ(run.read("eq.cs"), c_head("eq.cs") +
                                     "namespace ZorApp\r\n{\r\n    class eng_id\r\n    {\r\n"
                                     "\r\n    }\r\n}\r\n");
    EXPECT_EQ(run.read("eq.bas"), "Attribute VB_Name = \"Eng_Id.bas\"\r\n" + basic_dashes() +
                                      basic_title("eq.bas") + basic_dashes());
    EXPECT_EQ(run.read("eq.vb"), basic_dashes() + basic_title("eq.vb") + basic_dashes() +
                                     "Public Class Ceng_id\r\nEnd Class\r\n");
    EXPECT_EQ(run.read("ENG_ID.CSV"), "");
    EXPECT_EQ(run.read("zor_conf.end"), "0");
    EXPECT_EQ(run.read("zor_conf.log"), "");
    EXPECT_FALSE(run.exists("l1l1l1.end"));
    for (const char* section : {"$EC_TMP", "$SV_TMP", "$V__TMP", "$CE_TMP", "$RP_TMP", "$AL_TMP",
                                "$SP_TMP", "$PP_TMP", "$FP_TMP", "$RCP_TMP", "$TR_TMP"})
        EXPECT_TRUE(run.exists(section)) << section;
}

TEST(CompilerDriver, MissingSourceAndMissingArgument) {
    CompileRun run;
    run.write("zor_conf.end", "0");  // a stale marker must not survive
    EXPECT_EQ(run.compile("nofile.txt"), 255);
    std::string expected = start_lines("nofile.txt") + "!!  \"nofile.txt\"  file not found\n";
    EXPECT_EQ(run.output(), expected);
    EXPECT_EQ(run.read("ZorEdit.log"), crlf(expected));
    EXPECT_EQ(run.read("zor_conf.end"), "1");
    EXPECT_FALSE(run.exists("nofile.fil"));

    CompileRun bare;
    bare.write("zor_conf.end", "0");
    EXPECT_EQ(bare.compile(""), 255);
    std::string banner =
        "***** ZOR Engine Equipment Variable Definition File Compiler *****************\n";
    EXPECT_EQ(bare.output(), banner + " ZorCompile <source file>\n");
    EXPECT_EQ(bare.read("ZorEdit.log"), crlf(banner));
    EXPECT_FALSE(bare.exists("zor_conf.end"));
    EXPECT_TRUE(bare.exists("zor_conf.log"));
}

// Only an argument that is exactly --help or --version is an option; it
// touches no file of a run. Anything else is a source as before.
TEST(CompilerDriver, HelpAndVersionAreTheOnlyOptions) {
    CompileRun run;
    EXPECT_EQ(run.compile("--version"), 0);
    EXPECT_EQ(run.output(), std::string("ZorCompile ") + ZOR_VERSION + "\n");
    EXPECT_EQ(run.compile("--help"), 0);
    EXPECT_EQ(run.output().rfind("Usage: ZorCompile SOURCE\n", 0), 0u) << run.output();
    for (const char* file : {"ZorEdit.log", "zor_conf.log", "zor_conf.end", "AAZZ", "$EC_TMP"})
        EXPECT_FALSE(run.exists(file)) << file;

    for (const char* other : {"-h", "--HELP", "--version=1", "-version"}) {
        EXPECT_EQ(run.compile(other), 255) << other;
        EXPECT_EQ(run.output(), start_lines(other) + "!!  \"" + other + "\"  file not found\n");
        EXPECT_EQ(run.read("zor_conf.end"), "1");
    }

    run.write("--help", "// a source that is named like an option\r\n");
    EXPECT_EQ(run.compile("./--help"), 0);
    EXPECT_EQ(run.output().rfind(start_lines("./--help"), 0), 0u) << run.output();
    EXPECT_EQ(run.read("zor_conf.end"), "0");
}

TEST(CompilerDriver, RevNoOtherThanOneOrTwoSwitchesToRevisionOneUncounted) {
    CompileRun run;
    run.write("eq.txt",
              "REV_NO = 3\r\n"
              "def_sv LISTV {\r\n"
              "  svid : 7\r\n"
              "  format : L\r\n"
              "  vid : A\r\n"
              "}\r\n"
              "rev_no = 2\r\n");
    EXPECT_EQ(run.compile("eq.txt"), 1);
    std::string item = "  ! error line-5 \"  vid : A\"\n";
    EXPECT_EQ(run.output(), start_lines("eq.txt") +
                                " !! REV_NO command error ! REV_NO must b2 1 or 2 \n"
                                " ***** compilation to be continued\n"
                                "  ! line-2 !! vid command not supported for REVISION-1\n"
                                "    def_sv LISTV {\n\n" +
                                item + item + " ***** REV_NO = 2 detected ***** \n" +
                                summary_lines(1, 0) + "==> Compile error end\n");
    EXPECT_EQ(run.read("zor_conf.end"), "1");
    // Revision 1 emits no VID fields and no count warning; the block still completes.
    EXPECT_EQ(run.read("$SV_TMP"),
              "SV: NAME00000005LISTVID  00000007FORM00000000SIZE00000001MSIZ00000000\r\n");
}

TEST(CompilerDriver, MalformedHeadersUnknownKeywordsAndMsgfunc) {
    CompileRun run;
    run.write("eq.txt",
              "def_sv TEMP1\r\n"     // 1: brace on the next line
              "{\r\n"                // 2
              "  svid : 1\r\n"       // 3
              "}\r\n"                // 4
              "def_xx A {\r\n"       // 5: unknown keyword
              "  svid : 2\r\n"       // 6
              "}\r\n"                // 7
              "DEF_MSGFUNC F {\r\n"  // 8
              "  func_name : f\r\n"  // 9
              "}\r\n"                // 10
              "def_sv T2 {\r\n"      // 11
              "  svid : 2\r\n"       // 12
              "}\r\n");
    EXPECT_EQ(run.compile("eq.txt"), 2);
    EXPECT_EQ(run.output(), start_lines("eq.txt") +
                                " !! line-1 format error \"{\" not found : def_sv TEMP1"
                                "   !!! line-5 format error : def_xx A {"
                                " !! line-8 command error : \"DEF_MSGFUNC F {\"\n" +
                                summary_lines(2, 0) + "==> Compile error end\n");
    std::string log = run.read("ZorEdit.log");
    EXPECT_NE(log.find("   !!! line-5 format error : def_xx A { !! line-8 command error"),
              std::string::npos);
    EXPECT_TRUE(log.ends_with("==> Compile error end \r\n")) << log;
    EXPECT_EQ(run.read("$SV_TMP"),
              "SV: NAME00000002T2ID  00000002FORM00000000SIZE00000000MSIZ00000000\r\n");
}

TEST(CompilerDriver, FailingItemSwallowsTheNextBlock) {
    CompileRun run;
    run.write("eq.txt",
              "def_sv A {\r\n"
              "  svid : 1\r\n"
              "  bogus : 2\r\n"
              "}\r\n"
              "def_sv B {\r\n"
              "  svid : 2\r\n"
              "}\r\n"
              "def_sv C {\r\n"
              "  svid : 3\r\n"
              "}\r\n");
    EXPECT_EQ(run.compile("eq.txt"), 1);
    std::string item = "  ! error line-3 \"  bogus : 2\"\n";
    EXPECT_EQ(run.output(), start_lines("eq.txt") + item + item +
                                " !! line-4 format error \"{\" not found : }" +
                                summary_lines(1, 0) + "==> Compile error end\n");
    EXPECT_NE(run.read("ZorEdit.log").find(crlf(item) + " !! SV compile error\r\n"),
              std::string::npos);
    EXPECT_EQ(run.read("$SV_TMP"),
              "SV: NAME00000001CID  00000003FORM00000000SIZE00000000MSIZ00000000\r\n");
    // A block that fails while reading its body writes no ID lines.
    EXPECT_EQ(run.read("ENG_ID.CSV"), ", C, 0x00000003, L[0], , , , \r\n");
}

TEST(CompilerDriver, EndOfFileInsideABlockCompletesIt) {
    CompileRun run;
    run.write("eq.txt", "def_ce EV {\r\n  ceid : 5\r\n");
    EXPECT_EQ(run.compile("eq.txt"), 0);
    EXPECT_EQ(run.output(), start_lines("eq.txt") + "line lc=2 unexpected EOF detected " +
                                summary_lines(0, 0) + result_lines());
    EXPECT_NE(run.read("ZorEdit.log")
                  .find("line lc=2 unexpected EOF detected line lc=2 "
                        "unexpected EOF detected \r\n---"),
              std::string::npos);
    EXPECT_EQ(run.read("eq.fil"), "CE: NAME00000002EVID  00000005\r\n");

    CompileRun trace;
    trace.write("eq.txt", "def_trace T {\r\n");
    trace.compile("eq.txt");
    EXPECT_NE(
        trace.read("ZorEdit.log").find("line lc=1 unexpected EOF detected   ! line-1  no id "),
        std::string::npos);
}

TEST(CompilerDriver, ParameterErrorLinesCountAndReadingGoesOn) {
    CompileRun run;
    run.write("eq.txt",
              "def_ec X {\r\n"
              "  ecid : 1\r\n"
              "\t junk line\r\n"
              "}\r\n"
              "def_sv Y {\r\n"
              "  stray\r\n"
              "  svid : 2\r\n"
              "}\r\n");
    EXPECT_EQ(run.compile("eq.txt"), 2);
    EXPECT_EQ(run.output(), start_lines("eq.txt") + "   !!! line-3 para error junk line\n" +
                                "   !!! line-6 para error stray\n" + summary_lines(2, 0) +
                                "==> Compile error end\n");
    std::string log = run.read("ZorEdit.log");
    // Logged twice in def_ec, once in def_sv.
    EXPECT_NE(log.find("junk line\r\n   !!! line-3 para error junk line\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("error stray\r\n---"), std::string::npos);
    EXPECT_EQ(run.read("$EC_TMP"),
              "EC: NAME00000001XID  00000001FORM00000000SIZE00000000MSIZ00000000\r\n");
}

TEST(CompilerDriver, ErrorsLeaveTheEarlierObjectFileButRewriteIdFiles) {
    CompileRun run;
    run.write("eq.fil", "previous object\r\n");
    run.write("eq.h", "stale");
    run.write("eq.txt", "def_sv A {\r\n  svid : 1\r\n}\r\ndef_sv A {\r\n  svid : 1\r\n}\r\n");
    EXPECT_EQ(run.compile("eq.txt"), 1);
    EXPECT_EQ(run.read("eq.fil"), "previous object\r\n");
    EXPECT_EQ(run.read("zor_conf.end"), "1");
    EXPECT_NE(run.output().find("  ! line-4  id : multi-define error \n    def_sv A {\n\n"),
              std::string::npos);
    std::string define = padded("#define  A", 56) + padded("1 ", 16) + " // 0x00000001\r\n";
    EXPECT_EQ(run.read("eq.h"), c_head("eq.h") + define + define);
}

TEST(CompilerDriver, OutputsStayInADottedDirectory) {
    CompileRun run;
    std::filesystem::create_directories(run.dir() / "a.b");
    run.write("a.b/tool.txt", "def_sv A {\r\n  svid : 1\r\n}\r\n");
    EXPECT_EQ(run.compile("a.b/tool.txt"), 0);
    EXPECT_TRUE(run.exists("a.b/tool.fil"));
    EXPECT_TRUE(run.exists("a.b/tool.cs"));
    EXPECT_FALSE(run.exists("a.fil"));
}

TEST(CompilerDriver, ProgressMessagesReachAWaitingListenerInOrder) {
    CompileRun run;
    platform::testing::LoopbackListener listener;
    run.write("pass_file", std::to_string(listener.port()) + "\r\n");
    run.write("eq.txt", "REV_NO = 1\r\ndef_sv A {\r\n  svid : 1\r\n}\r\n");

    std::string joined;
    bool aazz_matched_every_message = true;
    std::thread editor([&] {
        if (!listener.accept()) return;
        for (std::string message = listener.read_frame();
             message != "<closed>" && message != "<short>"; message = listener.read_frame()) {
            // The compiler waits for us, so "AAZZ" still holds this message.
            aazz_matched_every_message &= run.read("AAZZ") == crlf(message);
            joined += message;
            listener.acknowledge();
        }
    });
    EXPECT_EQ(run.compile("eq.txt"), 0);
    editor.join();
    EXPECT_TRUE(aazz_matched_every_message);
    EXPECT_EQ(joined, run.output());
    EXPECT_NE(joined.find(" ***** REV_NO = 1 detected ***** \n"), std::string::npos);
}

TEST(CompilerDriver, AListenerThatGoesAwayDoesNotStopTheCompile) {
    CompileRun run;
    platform::testing::LoopbackListener listener;
    run.write("pass_file", std::to_string(listener.port()));
    run.write("eq.txt", "def_sv A {\r\n  svid : 1\r\n}\r\n");
    std::thread editor([&] {
        if (listener.accept()) listener.close_peer();
    });
    EXPECT_EQ(run.compile("eq.txt"), 0);
    editor.join();
    EXPECT_EQ(run.read("zor_conf.end"), "0");
}

TEST(CompilerDriver, ExportsEveryTextScanningFunctionByName) {
    std::string command = "nm -D --defined-only '" + CompileRun::compiler_path() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string symbols;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) symbols.append(buffer, n);
    pclose(pipe);
    for (const char* name : {"get_field_item_common",
                             "get_field_item",
                             "get_field_item_v",
                             "get_msg_field_item",
                             "get_field_item_c",
                             "get_str_field_item",
                             "trim",
                             "trim_leader",
                             "trim_trail",
                             "remove_cr_lf",
                             "cut_space",
                             "space_pad",
                             "exp_str",
                             "name_cpy",
                             "strcpy_woff",
                             "strip_double_quote",
                             "double_quoted_str",
                             "change_char",
                             "ck_char",
                             "scan_char",
                             "separate_str",
                             "get_file_name",
                             "get_ext_name",
                             "to_upper",
                             "to_lower",
                             "lower_to_upper",
                             "upper_to_lower",
                             "lower_to_upper_str",
                             "upper_to_lower_str",
                             "kanji_ck",
                             "a_ck",
                             "n_ck",
                             "an_ck",
                             "an_at_ck",
                             "x_ck",
                             "ck_term",
                             "ck_special_ch",
                             "atx",
                             "a2toi",
                             "a3toi",
                             "x2toi",
                             "s_atoi",
                             "API_atoi",
                             "s_atox",
                             "s_atobool",
                             "s_a8toi",
                             "s_shift_r_4",
                             "change_byte_order",
                             "API_memcpy",
                             "get_sxfy_from_str",
                             "free_item_mem",
                             "API_ck_dflt_esc",
                             "API_get_esc_char",
                             "API_str_encode",
                             "API_str_decode",
                             "API_encode_file_name",
                             "API_decode_file_name",
                             "API_ck_file_exist",
                             "API_rename_file",
                             "API_set_debug",
                             "API_examine_str_var",
                             "API_get_edit_head",
                             "API_get_edit_item",
                             "API_divide_string_3"}) {
        EXPECT_NE(symbols.find(std::string(" T ") + name + "\n"), std::string::npos) << name;
    }
}

}  // namespace
}  // namespace zor::testing

namespace zor::testing {
namespace {

TEST(CompilerDriver, ManyErrorsNeverReadAsSuccess) {
    std::string source;
    for (int i = 0; i < 300; ++i) source += "def_xx X" + std::to_string(i) + " {\r\n}\r\n";
    CompileRun run;
    run.write("eq.txt", source);
    EXPECT_EQ(run.compile("eq.txt"), 254);
    EXPECT_NE(run.output().find("    number of error   = 300\n"), std::string::npos);
    EXPECT_EQ(run.read("zor_conf.end"), "1");
}

}  // namespace
}  // namespace zor::testing

namespace zor::testing {
namespace {

TEST(TextScanLibrary, OtherProgramsBindToItByName) {
    void* library = dlopen(ZOR_TEXTSCAN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto s_atoi = reinterpret_cast<int (*)(const char*)>(dlsym(library, "s_atoi"));
    auto get_sxfy =
        reinterpret_cast<int (*)(const char*, int*, int*)>(dlsym(library, "get_sxfy_from_str"));
    ASSERT_NE(s_atoi, nullptr);
    ASSERT_NE(get_sxfy, nullptr);
    EXPECT_EQ(s_atoi(" 0x1F "), 31);
    int stream = 0, function = 0;
    EXPECT_EQ(get_sxfy("s1f13", &stream, &function), 269);
    dlclose(library);
}

}  // namespace
}  // namespace zor::testing
