#include "compiler/driver/driver.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "compiler/blocks/block_kinds.h"
#include "compiler/context/compilation.h"
#include "compiler/driver/block_reader.h"
#include "compiler/driver/split_line.h"
#include "compiler/output/output_paths.h"
#include "compiler/output/text_format.h"
#include "platform/platform.h"
#include "textscan/textscan.h"

namespace zor::compiler {
namespace {

constexpr const char* kHeaderSeparators = " ,={}():\t";
constexpr const char* kMarkerName = "zor_conf.end";
constexpr const char* kMarkerTemporaryName = "l1l1l1.end";
constexpr const char* kListName = "ENG_ID.CSV";
constexpr const char* kLogName = "ZorEdit.log";
// Created empty by every run anyway, so its lock adds no file.
constexpr const char* kRunLockName = "zor_conf.log";

// Port of a waiting editor from the first line of "pass_file", or 0. Only
// a regular file is read: a FIFO nobody writes would hold the run forever.
int read_editor_port() {
    std::string text;
    if (!platform::read_regular_file("pass_file", text) || text.empty()) return 0;
    std::string line = text.substr(0, text.find('\n'));
    if (line.size() > 99) line.resize(99);
    return s_atoi(line.c_str());
}

// The marker appears by a rename, so a waiting editor never sees it half
// written. False (with errno in `error`) when it could not be put in place.
bool write_end_marker(bool clean, int& error) {
    TextFile marker;
    if (marker.open_replacing(kMarkerName, kMarkerTemporaryName)) {
        marker.write(clean ? "0" : "1");
        marker.close();
    }
    error = marker.error();
    return error == 0;
}

// Ends a run: closes the log and puts the end marker in place. A marker
// that cannot be written is said on standard output and fails the run, as
// a waiting editor will never see it.
int finish_run(Compilation& c, int code) {
    c.messages.close_log();
    std::fflush(stdout);
    int error = 0;
    if (write_end_marker(code == 0, error)) return code;
    c.messages.to_stdout(
        format(" !! end marker : %s not written : %s\n", kMarkerName, std::strerror(error)));
    return code == 0 ? 1 : code;
}

// The files a run writes in the working directory whatever it compiles.
constexpr const char* kRunFiles[] = {kRunLockName, kLogName, kMarkerName, kMarkerTemporaryName,
                                     "AAZZ"};

// The first of `outputs` that is the same file as the source, or an empty
// text.
std::string same_as_source(const std::string& source, const std::vector<std::string>& outputs) {
    for (const std::string& output : outputs)
        if (platform::same_file(source, output)) return output;
    return {};
}

// Every file the compile proper writes. (What they are written under until
// complete is made afresh, so it cannot be the source.)
std::vector<std::string> compile_outputs(const OutputPaths& paths) {
    std::vector<std::string> outputs = {paths.object, paths.h,  paths.bas,
                                        paths.vb,     paths.cs, std::string(kListName)};
    for (int i = 0; i < kSectionCount; ++i)
        outputs.push_back(section_file_name(static_cast<Section>(i)));
    return outputs;
}

// Two runs in one directory would share the section files: the second
// waits for the first, and says so.
void hold_directory(platform::FileLock& lock) {
    if (lock.try_lock(kRunLockName) != platform::FileLock::State::busy) return;
    std::fputs(" ** another ZorCompile run is working in this directory : waiting for it\n",
               stdout);
    std::fflush(stdout);
    lock.wait();
}

void handle_rev_no(Compilation& c, const std::vector<std::string>& fields) {
    int value = fields.size() > 2 ? s_atoi(fields[2].c_str()) : 0;
    if (value == 1 || value == 2) {
        c.revision = value;
        c.report_message(format(" ***** REV_NO = %d detected ***** \n", value));
        return;
    }
    c.report_message(" !! REV_NO command error ! REV_NO must b2 1 or 2 \n");
    c.revision = 1;
    c.report_message(" ***** compilation to be continued\n");
}

int main_line_loop(Compilation& c) {
    c.error_count = 0;
    c.warning_count = 0;
    if (c.source.starts_with_utf8_bom()) {
        c.report_message("  # warning line-1 the source looks like UTF-8, not Shift-JIS\n");
        ++c.warning_count;
    }
    std::string line;
    std::vector<std::string> fields;
    while (c.source.read_line(line)) {
        if (line[0] == '/') continue;
        c.header_line = line;
        c.header_line_number = c.source.line_counter();
        std::string text = line;
        remove_cr_lf(text.data());
        trim(text.data());
        text.resize(std::strlen(text.c_str()));
        split_line(text, kHeaderSeparators, fields);
        if (fields.empty()) continue;
        if (fold_case(fields[0]) == "rev_no") {
            handle_rev_no(c, fields);
            continue;
        }
        std::string quoted(cut_at_line_end(line));
        if (fields.size() == 3 && fields[2][0] == '{') {
            const BlockKind* kind = find_block_kind(fields[0]);
            if (!kind) {
                c.messages.to_stdout_and_log(
                    format("   !!! line-%d format error : %s", c.header_line_number, text.c_str()));
                c.skip_block();
                ++c.error_count;
            } else if (!kind->make) {
                ++c.error_count;
                c.messages.to_stdout_and_log(format(" !! line-%d command error : \"%s\"\n",
                                                    c.header_line_number, quoted.c_str()));
                c.skip_block();
            } else if (compile_block(c, *kind, fields[1]) != 0) {
                ++c.error_count;
            }
            continue;
        }
        c.report_message(format(" !! line-%d format error \"{\" not found : %s",
                                c.header_line_number, quoted.c_str()));
        c.skip_block();
    }
    c.report_message(
        "------------------------------------------------------------------------------\n");
    c.report_message("  End of ZorCompile Compilation.\n");
    c.report_message(format("    number of error   = %d\n", c.error_count));
    c.report_message(format("    number of warning = %d\n", c.warning_count));
    return c.error_count;
}

// Opens everything a compile writes, in a fixed order; the name of the
// first file that could not be opened, or an empty text.
std::string open_outputs(Compilation& c, const std::string& source, const OutputPaths& paths) {
    if (!c.source.open(source)) return source;
    if (const char* failed = c.sections.open()) return failed;
    std::string failed = c.id_files.open(paths, kListName);
    if (!failed.empty()) return failed;
    c.id_files.write_heads();
    return {};
}

void report_results(Compilation& c, const std::string& source, const OutputPaths& paths) {
    c.report_message("  <ZorCompile result > \n");
    c.report_message(format("     source file (in)  = %s\n", source.c_str()));
    c.report_message(format("     object file (out) = %s\n", paths.object.c_str()));
    c.report_message(format("     .h     file (out) = %s\n", paths.h.c_str()));
    c.report_message(format("     .bas   file (out) = %s\n", paths.bas.c_str()));
    c.report_message(format("     .vb    file (out) = %s\n", paths.vb.c_str()));
    c.report_message(format("     .cs    file (out) = %s\n", paths.cs.c_str()));
}

}  // namespace

int run_compiler(int argc, char** argv) {
    platform::ignore_broken_pipe();
    platform::binary_standard_streams();
    if (argc >= 2) {
        // Refused before any of them is written, the source among them.
        std::string own = same_as_source(argv[1], {std::begin(kRunFiles), std::end(kRunFiles)});
        if (!own.empty()) {
            std::printf(" !! source file : %s is also the output file %s\n", argv[1], own.c_str());
            return -1;
        }
    }
    platform::FileLock lock;
    hold_directory(lock);
    Compilation c;
    c.messages.connect_editor(read_editor_port());
    c.revision = 2;
    write_text_file(kRunLockName, "");
    // No stale marker: removed, never written, so a link there leads nowhere.
    platform::remove_file(kMarkerName);
    if (int error = c.messages.open_log(kLogName))
        c.messages.to_stdout(
            format(" !! log file : %s not opened : %s\n", kLogName, std::strerror(error)));
    c.report_message(
        "***** ZOR Engine Equipment Variable Definition File Compiler *****************\n");
    if (argc < 2) {
        c.messages.to_stdout(" ZorCompile <source file>\n");
        c.messages.close_log();
        return -1;
    }
    const std::string source = argv[1];
    c.report_message(format("----- %s start - info file = %s --------------------------------\n\n",
                            argv[0], source.c_str()));
    if (!std::ifstream(platform::native_path(source), std::ios::binary)) {
        c.report_message(format("!!  \"%s\"  file not found\n", source.c_str()));
        return finish_run(c, -1);
    }
    const OutputPaths paths = derive_output_paths(source);
    if (std::string output = same_as_source(source, compile_outputs(paths)); !output.empty()) {
        c.report_message(format(" !! source file : %s is also the output file %s\n", source.c_str(),
                                output.c_str()));
        return finish_run(c, -1);
    }
    std::string failed = open_outputs(c, source, paths);
    if (!failed.empty()) {
        c.sections.close();
        c.id_files.discard();
        if (failed == source)
            c.report_message(format(" !! source file : %s not opened\n", source.c_str()));
        else
            c.messages.to_stdout_and_log(format(" !! file : %s not opened\n", failed.c_str()));
        return finish_run(c, -1);
    }
    int errors = main_line_loop(c);
    c.source.close();
    // Whatever was not written completely fails the run, and the object
    // file is not touched then.
    std::vector<WriteFailure> failures = c.id_files.close_with_tails();
    for (WriteFailure& failure : c.sections.close()) failures.push_back(std::move(failure));
    if (errors == 0 && failures.empty()) {
        c.report_message(format("obj_file = %s\n", paths.object.c_str()));
        failures = merge_sections(paths.object);
        if (failures.empty()) report_results(c, source, paths);
    }
    for (const WriteFailure& failure : failures)
        c.report_counted_error(format(" !! file : %s not written : %s\n", failure.path.c_str(),
                                      std::strerror(failure.error)));
    errors += static_cast<int>(failures.size());
    if (errors != 0) {
        c.messages.to_stdout("==> Compile error end\n");
        c.messages.to_log("==> Compile error end \n");
    }
    return finish_run(c, errors);
}

}  // namespace zor::compiler
