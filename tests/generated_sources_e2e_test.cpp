// Seeded random sources, clean and hostile, through ZorCompile and then
// zoredit: whenever the compiler reports success (marker "0"), the session
// that follows must be able to load its object file.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/compile_load.h"
#include "tests/compile_run.h"

namespace zor::testing {
namespace {

// A third of the seeds write clean sources (every block complete, IDs and
// names unique, values a user types); a third put hostile values into that
// frame (UTF-8, stray lead bytes, escapes at line ends); a third write
// anything, repeated and missing items included.
class SourceGenerator {
  public:
    explicit SourceGenerator(unsigned seed)
        : random_(seed), hostile_(seed % 3 != 0), anything_(seed % 3 == 2) {}

    std::string source() {
        std::string out;
        if (hostile_ && chance(5)) out += "\xEF\xBB\xBF";
        if (chance(3)) out += "REV_NO = " + std::to_string(hostile_ ? pick(1, 3) : 2) + end();
        const int blocks = pick(1, 8);
        for (int i = 0; i < blocks; ++i) out += block();
        if (chance(4) && !out.empty()) out.pop_back();  // the last line without its line end
        return out;
    }

  private:
    using Texts = std::vector<std::string>;

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int one_in) { return pick(1, one_in) == 1; }
    std::string any(const Texts& clean, const Texts& broken = {}) {
        const size_t n = clean.size() + (hostile_ ? broken.size() : 0);
        const size_t i = static_cast<size_t>(pick(0, static_cast<int>(n) - 1));
        return i < clean.size() ? clean[i] : broken[i - clean.size()];
    }

    std::string end() { return any({"\r\n", "\r\n", "\r\n", "\n"}, {"\r"}); }
    std::string id() {
        if (anything_) return any({"1", "2", "0x10", "x1F", "-1", "0", "4294967295", "12abc"});
        return std::to_string(++serial_);
    }
    std::string name() {
        const std::string base =
            any({"A", "TEMP", "\x89\xB7\x93\x78", "\x95\x5c", "N\x95"}, {"\"N M\"", "a"});
        return anything_ ? base : base + "_" + std::to_string(++serial_);
    }
    // Texts a user or a broken tool might write: plain, quoted, Shift-JIS,
    // UTF-8, stray lead bytes, escapes, a backslash or a lead byte last.
    std::string text() {
        return any({"C", "12.5", "\"a, b\"", "\"\"", "\x89\xB7\x93\x78", "\\x41", "\\t\\\"",
                    "\x95\x5c", "TRUE", "\xA6\xB1", "\x82\xA0", "a//b"},
                   {"\xE6\xB8\xA9\xE5\xBA\xA6\xE3\x80\x82", "\xE6\xB8\xA9", "x\x95", "\"q\x82\"",
                    "\\x4", "ab\\", "1..2", "\x82\xA0\x82"});
    }
    std::string format() {
        return any({"U4", "A[1..32]", "A", "U1[2]", "BO", "F4", "I2[1..4]", "J[8]", "Boolean"},
                   {"L", "LEND", "X9", "A["});
    }
    // A value after its format specification; any specification when hostile.
    std::string valued(const std::string& spec) {
        return (hostile_ && chance(2) ? format() : spec) + " " + text();
    }
    std::string item(const std::string& key, const std::string& value) {
        return "    " + key + " : " + value + end();
    }

    struct Items {
        std::vector<std::string> required;  // a clean block has each once
        std::vector<std::string> optional;  // a clean block has some, each once
    };

    Items items(const std::string& kind) {
        if (kind == "def_ec" || kind == "def_sv" || kind == "def_dv") {
            const std::string key = kind == "def_ec" ? "ecid" : kind == "def_sv" ? "svid" : "dvid";
            return {{item(key, id()), item("format", format())},
                    {item("units", text()), item("min", text()), item("max", text()),
                     item("nominal", text()), item("limit", "L1 " + text() + " " + text()),
                     item("event", name()), item("event", name())}};
        }
        if (kind == "def_ce")
            return {{item("ceid", id())}, {item("enabled", text()), item("rptname", name())}};
        if (kind == "def_report")
            return {{item("rptid", id())}, {item("vname", name()), item("vname", name())}};
        if (kind == "def_alarm") {
            return {{item("alid", id()), item("alcd", any({"0x84", "5"}, {text()})),
                     item("altx", text())},
                    {item("ce_on", name()), item("ce_off", name()), item("enabled", text())}};
        }
        if (kind == "def_pp") {
            return {{item("ppid", "A[1..80] " + name()), item("ppbody", valued("A[1..256]"))}, {}};
        }
        if (kind == "def_fpp") {
            return {
                {item("ppid", "A[1..80] " + name()), item("mdln", text()), item("softrev", text())},
                {item("ccode", "A[8] " + name()) + item("pparam", valued("A[1..16]")),
                 item("ccode", "A[8] " + name()) + item("pparam", "U2[1] 600")}};
        }
        if (kind == "def_rcp") {
            return {{item("rcpid", name())},
                    {item("rcpbody", text()),
                     item("rcpparname", text()) + item("rcpparval", valued("A[1..16]")),
                     item("rcpparname", text()) + item("rcpparval", "U4[1] 600")}};
        }
        if (kind == "def_spool") {
            return {{item("stream", std::to_string(pick(1, 127))),
                     item("function", std::to_string(pick(1, 255)))},
                    {item("function", std::to_string(pick(1, 255)))}};
        }
        return {{item("trid", "A[1..32] " + name()), item("dsper", text())},
                {item("totsmp", any({"600"}, {id()})), item("repgsz", any({"10"}, {id()})),
                 item("svname", name())}};
    }

    std::string block() {
        const std::string kind =
            any({"def_ec", "def_sv", "def_dv", "def_ce", "def_report", "def_alarm", "def_pp",
                 "def_fpp", "def_rcp", "def_spool", "def_trace"});
        std::string out = kind + " " + name() + " {" + end();
        Items all = items(kind);
        if (anything_) {
            std::vector<std::string> lines = all.required;
            lines.insert(lines.end(), all.optional.begin(), all.optional.end());
            const int count = pick(0, 6);
            for (int i = 0; i < count; ++i) out += any(lines);
            if (chance(10)) out += "    stray line" + end();
        } else {
            for (const std::string& line : all.required) out += line;
            std::shuffle(all.optional.begin(), all.optional.end(), random_);
            all.optional.resize(
                static_cast<size_t>(pick(0, static_cast<int>(all.optional.size()))));
            for (const std::string& line : all.optional) out += line;
        }
        return out + "}" + end();
    }

    std::mt19937 random_;
    bool hostile_;   // values from the hostile pools too
    bool anything_;  // items in any number and order
    int serial_ = 0;
};

std::string shown(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

TEST(GeneratedSources, EverySuccessfulCompileLoads) {
    int clean = 0;
    int failed = 0;
    int hostile_clean = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SourceGenerator generator(seed);
        const std::string source = generator.source();
        CompileRun run;
        run.write("eq.txt", source);
        run.compile("eq.txt");
        const std::string marker = run.read("zor_conf.end");
        if (marker != "0") {
            EXPECT_EQ(marker, "1") << "seed " << seed;
            ++failed;
            continue;
        }
        ++clean;
        if (seed % 3 != 0) ++hostile_clean;
        const LoadResult load = load_object_file(run);
        EXPECT_GE(load.result, 0) << "seed " << seed << ": " << load.error << "\nsource:\n"
                                  << shown(source);
    }
    // The generator must reach both roads, or the test proves nothing.
    std::printf("%d clean (%d with hostile values), %d failed\n", clean, hostile_clean, failed);
    EXPECT_GE(clean, 35);
    EXPECT_GE(hostile_clean, 5);
    EXPECT_GE(failed, 40);
}

}  // namespace
}  // namespace zor::testing
