// ZorCompile runs that cannot do their work: whatever goes wrong, a run that
// lost, cut short or mixed up an output never ends as a clean compile, and
// the outputs of the last good run stay as they were.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "tests/compile_run.h"

namespace zor::testing {
namespace {

namespace fs = std::filesystem;

// A source with `count` blocks of each variable kind, IDs from `first`.
std::string many_blocks(int count, int first) {
    std::string text;
    for (const char* kind : {"ec", "sv", "dv"})
        for (int i = 0; i < count; ++i) {
            std::string id = std::to_string(first++);
            text += "def_" + std::string(kind) + " " + kind + "_VARIABLE_" + id + " {\r\n  " +
                    kind + "id : " + id + "\r\n  format : U4\r\n  units : mm\r\n}\r\n";
        }
    return text;
}

const char* const kOutputs[] = {"eq.fil", "eq.h", "eq.bas", "eq.vb", "eq.cs", "ENG_ID.CSV"};

// Puts a previous good run's outputs in place, marked so they can be told
// from new ones.
void write_previous_outputs(const CompileRun& run) {
    for (const char* name : kOutputs) run.write(name, std::string("previous ") + name);
}

void expect_previous_outputs(const CompileRun& run) {
    for (const char* name : kOutputs)
        EXPECT_EQ(run.read(name), std::string("previous ") + name) << name;
}

TEST(CompilerFailures, ADirectoryAsSourceIsNotOpened) {
    CompileRun run;
    write_previous_outputs(run);
    fs::create_directory(run.dir() / "eq.txt");
    EXPECT_EQ(run.compile("eq.txt"), 255);
    EXPECT_EQ(run.output(), start_lines("eq.txt") + " !! source file : eq.txt not opened\n");
    EXPECT_EQ(run.read("zor_conf.end"), "1");
    expect_previous_outputs(run);
}

TEST(CompilerFailures, WritesCutShortFailTheRunAndKeepThePreviousOutputs) {
    CompileRun run;
    write_previous_outputs(run);
    run.write("eq.txt", many_blocks(40, 1));
    // Sections stay under the limit, the merged object and the ID files do
    // not; the shell passes the ignored SIGXFSZ on, so writes just fail.
    EXPECT_NE(run.compile("eq.txt", "sh -c 'trap \"\" XFSZ; ulimit -f 8; exec \"$0\" \"$@\"'"), 0);
    EXPECT_NE(run.output().find(" not written : File too large\n"), std::string::npos)
        << run.output();
    EXPECT_NE(run.output().find("==> Compile error end\n"), std::string::npos);
    EXPECT_EQ(run.read("zor_conf.end"), "1");
    expect_previous_outputs(run);
    // No half-written file is left beside them.
    std::set<std::string> expected(std::begin(kOutputs), std::end(kOutputs));
    expected.insert("eq.txt");
    for (const auto& entry : fs::directory_iterator(run.dir())) {
        std::string name = entry.path().filename().string();
        if (name.rfind("eq.", 0) == 0) {
            EXPECT_TRUE(expected.count(name)) << name;
        }
    }
}

TEST(CompilerFailures, AnObjectFileThatCannotBeCreatedFailsTheRun) {
    CompileRun run;
    run.write("eq.txt", "def_sv A {\r\n  svid : 1\r\n}\r\n");
    fs::create_directory(run.dir() / "eq.fil");
    EXPECT_EQ(run.compile("eq.txt"), 1);
    EXPECT_NE(run.output().find(" !! file : eq.fil not written : Is a directory\n"),
              std::string::npos)
        << run.output();
    EXPECT_EQ(run.output().find("ERRORRORR"), std::string::npos);
    EXPECT_EQ(run.output().find("<ZorCompile result >"), std::string::npos);
    EXPECT_EQ(run.read("zor_conf.end"), "1");
    EXPECT_TRUE(fs::is_directory(run.dir() / "eq.fil"));
}

TEST(CompilerFailures, ASecondCompileInTheDirectoryWaitsForTheFirst) {
    CompileRun run;
    run.write("a.txt", many_blocks(300, 1));
    run.write("b.txt", many_blocks(300, 5001));
    ASSERT_EQ(run.compile("a.txt"), 0);
    const std::string a = run.read("a.fil");
    ASSERT_EQ(run.compile("b.txt"), 0);
    const std::string b = run.read("b.fil");
    ASSERT_NE(a, b);
    for (int round = 0; round < 4; ++round) {
        fs::remove(run.dir() / "a.fil");
        fs::remove(run.dir() / "b.fil");
        std::string both = "cd '" + run.dir().string() + "' && { '" + CompileRun::compiler_path() +
                           "' a.txt > a.out & '" + CompileRun::compiler_path() +
                           "' b.txt > b.out; wait; }";
        ASSERT_EQ(std::system(both.c_str()), 0);
        EXPECT_EQ(run.read("a.fil"), a) << "round " << round;
        EXPECT_EQ(run.read("b.fil"), b) << "round " << round;
    }

    // While another holds the directory, a run says so and waits.
    // Close-on-exec: a lock the compiler inherited would be its own.
    int held = ::open((run.dir() / "zor_conf.log").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    fs::remove(run.dir() / "a.fil");
    fs::remove(run.dir() / "zor_conf.end");
    int status = -1;
    std::thread second([&] { status = run.compile("a.txt"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(run.exists("a.fil"));
    EXPECT_FALSE(run.exists("zor_conf.end"));
    ::close(held);
    second.join();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(run.read("a.fil"), a);
    EXPECT_EQ(run.output().rfind(
                  " ** another ZorCompile run is working in this directory : waiting for it\n", 0),
              0u)
        << run.output();
}

TEST(CompilerFailures, ASourceThatIsAlsoAnOutputIsRefusedUntouched) {
    for (const char* name : {"eq.h", "eq.fil", "eq.cs", "ENG_ID.CSV", "$EC_TMP"}) {
        CompileRun run;
        const std::string text = "def_sv A {\r\n  svid : 1\r\n}\r\n";
        run.write(name, text);
        EXPECT_EQ(run.compile(std::string("'") + name + "'"), 255) << name;
        EXPECT_EQ(run.read(name), text) << name;
        EXPECT_EQ(run.read("zor_conf.end"), "1") << name;
        EXPECT_NE(run.output().find(std::string(" !! source file : ") + name +
                                    " is also the output file "),
                  std::string::npos)
            << run.output();
    }
    // A second name for an output is the same file.
    CompileRun run;
    run.write("eq.txt", "def_sv A {\r\n  svid : 1\r\n}\r\n");
    fs::create_hard_link(run.dir() / "eq.txt", run.dir() / "ENG_ID.CSV");
    EXPECT_EQ(run.compile("eq.txt"), 255);
    EXPECT_EQ(run.read("eq.txt"), "def_sv A {\r\n  svid : 1\r\n}\r\n");
    EXPECT_NE(run.output().find(" !! source file : eq.txt is also the output file ENG_ID.CSV\n"),
              std::string::npos)
        << run.output();
    EXPECT_FALSE(run.exists("eq.fil"));
    // The run's own files: refused before any of them is written.
    CompileRun log;
    log.write("ZorEdit.log", "def_sv A {\r\n  svid : 1\r\n}\r\n");
    EXPECT_EQ(log.compile("ZorEdit.log"), 255);
    EXPECT_EQ(log.read("ZorEdit.log"), "def_sv A {\r\n  svid : 1\r\n}\r\n");
}

TEST(CompilerFailures, APassFileThatIsNoRegularFileMeansNobodyWaits) {
    CompileRun run;
    run.write("eq.txt", "def_sv A {\r\n  svid : 1\r\n}\r\n");
    ASSERT_EQ(::mkfifo((run.dir() / "pass_file").c_str(), 0600), 0);
    EXPECT_EQ(run.compile("eq.txt", "timeout 10"), 0);
    EXPECT_EQ(run.read("zor_conf.end"), "0");
}

TEST(CompilerFailures, AClosedStandardOutputDoesNotStopTheRun) {
    CompileRun run;
    run.write("eq.txt", many_blocks(5, 1));
    ASSERT_EQ(run.compile("eq.txt"), 0);
    const std::string object = run.read("eq.fil");
    fs::remove(run.dir() / "eq.fil");
    fs::remove(run.dir() / "zor_conf.end");
    int pipe_ends[2];
    ASSERT_EQ(::pipe(pipe_ends), 0);
    ::close(pipe_ends[0]);  // nobody will read
    pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        if (::chdir(run.dir().c_str()) != 0) ::_exit(126);
        ::dup2(pipe_ends[1], 1);
        ::execl(CompileRun::compiler_path().c_str(), "ZorCompile", "eq.txt", nullptr);
        ::_exit(127);
    }
    ::close(pipe_ends[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(run.read("eq.fil"), object);
    EXPECT_EQ(run.read("zor_conf.end"), "0");
}

TEST(CompilerFailures, NoStaleSuccessAndAMissingLogIsSaidOnce) {
    CompileRun run;
    run.write("eq.txt", "def_sv A {\r\n  svid : 1\r\n}\r\n");
    run.write("zor_conf.end", "0");
    fs::create_directory(run.dir() / "l1l1l1.end");  // the new marker cannot be written
    EXPECT_NE(run.compile("eq.txt"), 0);
    EXPECT_FALSE(run.exists("zor_conf.end"));
    EXPECT_NE(run.output().find(" !! end marker : zor_conf.end not written : "), std::string::npos)
        << run.output();

    CompileRun nolog;
    nolog.write("eq.txt", "def_sv A {\r\n  svid : 1\r\n}\r\n");
    fs::create_directory(nolog.dir() / "ZorEdit.log");
    EXPECT_EQ(nolog.compile("eq.txt"), 0);
    const std::string said = " !! log file : ZorEdit.log not opened : Is a directory\n";
    size_t at = nolog.output().find(said);
    ASSERT_NE(at, std::string::npos) << nolog.output();
    EXPECT_EQ(nolog.output().find(said, at + 1), std::string::npos);
    EXPECT_EQ(nolog.read("zor_conf.end"), "0");
}

TEST(CompilerFailures, ALinkPlantedUnderAnyNameTheRunWritesIsNeverFollowed) {
    const std::string source = many_blocks(3, 1);
    CompileRun clean;
    clean.write("eq.txt", source);
    ASSERT_EQ(clean.compile("eq.txt"), 0) << clean.output();

    // Every name: the outputs, what they were once written under, the end
    // marker's two names, the section files and the run's working files.
    std::vector<std::string> names = {"l1l1l1.end", "zor_conf.end", "AAZZ", "ZorEdit.log",
                                      "zor_conf.log"};
    for (const char* output : kOutputs) {
        names.push_back(output);
        names.push_back(std::string(output) + ".zorcompile-tmp");
    }
    for (const char* section : {"$EC_TMP", "$SV_TMP", "$V__TMP", "$CE_TMP", "$RP_TMP", "$AL_TMP",
                                "$SP_TMP", "$PP_TMP", "$FP_TMP", "$RCP_TMP", "$TR_TMP"})
        names.push_back(section);
    CompileRun run;
    run.write("eq.txt", source);
    fs::create_directory(run.dir() / "victims");
    for (size_t i = 0; i < names.size(); ++i) {
        const fs::path victim = run.dir() / "victims" / std::to_string(i);
        run.write(victim.string(), "victim " + names[i]);
        fs::create_symlink(victim, run.dir() / names[i]);
    }
    EXPECT_EQ(run.compile("eq.txt"), 0) << run.output();
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(run.read((run.dir() / "victims" / std::to_string(i)).string()),
                  "victim " + names[i])
            << names[i];
    EXPECT_EQ(run.output(), clean.output());
    for (const char* name : {"eq.fil", "eq.h", "eq.bas", "eq.vb", "eq.cs", "ENG_ID.CSV",
                             "ZorEdit.log", "AAZZ", "zor_conf.end", "$EC_TMP", "$SV_TMP"}) {
        EXPECT_FALSE(fs::is_symlink(run.dir() / name)) << name;
        EXPECT_EQ(run.read(name), clean.read(name)) << name;
    }
    EXPECT_FALSE(fs::is_symlink(run.dir() / "zor_conf.log"));
    EXPECT_EQ(run.read("zor_conf.log"), "");
}

}  // namespace
}  // namespace zor::testing
