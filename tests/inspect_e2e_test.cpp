// ZorInspect run as a user runs it: on object files ZorCompile made from
// sources with faults of every kind of link, on the sample equipment, and
// on input it cannot read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/compile_run.h"
#include "tests/inspect_run.h"
#include "tests/json_schema.h"

namespace zor::testing {
namespace {

using Result = InspectResult;

Result inspect(const CompileRun& dir, const std::string& arguments) {
    return run_inspect(dir, arguments);
}

// Every kind of link that names nothing, and one fault of each other rule.
const char* kFaulty =
    "REV_NO = 2\n"
    "def_ec EC_T {\n  ecid : 1001\n  format : U2\n  event : CE_NOPE\n}\n"
    "def_sv SV_T {\n  svid : 2001\n  format : F4\n  min : 10\n  max : 5\n"
    "  limit : 1, 20, 10\n  event : CE_A\n}\n"
    "def_sv SV_L {\n  svid : 2002\n  format : L\n  nominal : 2\n  vid : SV_T\n  vid : SV_GONE\n}\n"
    "def_dv DV_T {\n  dvid : 2001\n  format : A[4]\n  nominal : TOO_LONG\n}\n"
    "def_report RP_A {\n  rptid : 4001\n  vname : SV_T\n  vname : V_MISSING\n}\n"
    "def_report RP_B {\n  rptid : 4002\n}\n"
    "def_ce CE_A {\n  ceid : 5001\n  rptname : RP_A\n  rptname : RP_MISSING\n}\n"
    "def_alarm AL_A {\n  alid : 6001\n  alcd : 0x84\n  altx : \"heater\"\n  ce_on : CE_A\n"
    "  ce_off : CE_TYPO\n}\n"
    "def_spool S1 {\n  stream : 1\n  function : 3\n}\n"
    "def_spool S6 {\n  stream : 6\n  function : 12\n}\n"
    "def_trace TR_A {\n  trid : A[1..8] T1\n  dsper : 10\n  totsmp : 5\n  repgsz : 10\n"
    "  svname : SV_T\n  svname : SV_NONE\n  svname : EC_T\n}\n";

class Inspect : public ::testing::Test {
  protected:
    CompileRun run;
    void compile(const std::string& source) {
        run.write("eq.txt", crlf(source));
        ASSERT_EQ(run.compile("eq.txt"), 0) << run.output();
    }
};

TEST_F(Inspect, FindsEveryFaultWithItsSourceLine) {
    compile(kFaulty);
    Result r = inspect(run, "check eq.fil --source eq.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "eq.txt:2: error E101: EC 1001 EC_T: event CE_NOPE is not defined\n"
              "eq.txt:7: error E107: SV 2001 SV_T: limit 1: lower 20 is above upper 10\n"
              "eq.txt:7: error E109: SV 2001 SV_T: minimum 10 is above maximum 5\n"
              "eq.txt:15: error E101: SV 2002 SV_L: element SV_GONE is not defined\n"
              "eq.txt:22: warning W209: DVVAL 2001 DV_T: nominal is 8 bytes, longer than the "
              "size 4\n"
              "eq.txt:22: error E102: DVVAL 2001 DV_T: VID 2001 is also SV SV_T\n"
              "eq.txt:35: error E101: CE 5001 CE_A: report RP_MISSING is not defined\n"
              "eq.txt:27: error E101: RP 4001 RP_A: variable V_MISSING is not defined\n"
              "eq.txt:32: warning W201: RP 4002 RP_B: no collection event links this report\n"
              "eq.txt:32: warning W202: RP 4002 RP_B: the report has no variables\n"
              "eq.txt:40: error E101: AL 6001 AL_A: clear event CE_TYPO is not defined\n"
              "eq.txt:40: warning W206: AL 6001 AL_A: alarm code 0x84 has bit 8 set: that bit is "
              "the run-time set/clear flag\n"
              "eq.txt:47: error E103: SPOOL 1 S1: stream 1 is never spooled, but has spooled "
              "functions\n"
              "eq.txt:51: error E104: SPOOL 6 S6: S6F12 is a reply; only primary messages spool\n"
              "eq.txt:55: error E105: TRACE T1 TR_A: sample period \"10\" is not hhmmss or "
              "hhmmsscc\n"
              "eq.txt:55: warning W210: TRACE T1 TR_A: report group size 10 is above the total "
              "sample count 5\n"
              "eq.txt:55: error E101: TRACE T1 TR_A: variable SV_NONE is not defined\n"
              "eq.txt:55: warning W207: TRACE T1 TR_A: variable EC_T is an EC, not a status "
              "variable\n"
              "eq.fil: 12 errors, 6 warnings (11 definitions)\n");
}

TEST_F(Inspect, WithoutTheSourceTheFindingsAreTheSameWithoutLines) {
    compile(kFaulty);
    Result lined = inspect(run, "check eq.fil --source eq.txt");
    Result r = inspect(run, "check eq.fil");
    EXPECT_EQ(r.status, 1);
    std::string expected;
    std::istringstream in(lined.out);
    for (std::string line; std::getline(in, line);)
        expected +=
            (line.starts_with("eq.txt:") ? "eq.fil" + line.substr(line.find(": ")) : line) + "\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_NE(r.out.find("eq.fil: error E101: AL 6001 AL_A: clear event CE_TYPO is not defined\n"),
              std::string::npos)
        << r.out;
}

// Just enough JSON to read the findings back: an array of flat objects
// whose values are strings, integers or null.
class Json {
  public:
    explicit Json(const std::string& text) : t_(text) {}
    std::vector<std::map<std::string, std::string>> array() {
        std::vector<std::map<std::string, std::string>> out;
        expect('[');
        if (peek() == ']') return ++p_, out;
        do out.push_back(object());
        while (next_is(','));
        expect(']');
        skip();
        if (p_ != t_.size()) throw std::runtime_error("text after the array");
        return out;
    }
    std::vector<std::string> keys;  // of the first object, in order

  private:
    std::map<std::string, std::string> object() {
        std::map<std::string, std::string> o;
        bool first = keys.empty();
        expect('{');
        do {
            std::string key = string();
            if (first) keys.push_back(key);
            expect(':');
            o[key] = peek() == '"' ? string() : bare();
        } while (next_is(','));
        expect('}');
        return o;
    }
    std::string string() {
        expect('"');
        std::string s;
        while (p_ < t_.size() && t_[p_] != '"') {
            char c = t_[p_++];
            if (c == '\\') {
                char e = t_.at(p_++);
                if (e == 'u') {
                    s += static_cast<char>(std::stoi(t_.substr(p_, 4), nullptr, 16));
                    p_ += 4;
                } else {
                    s += e;
                }
            } else {
                s += c;
            }
        }
        expect('"');
        return s;
    }
    std::string bare() {
        size_t start = p_;
        while (p_ < t_.size() &&
               (std::isalnum(static_cast<unsigned char>(t_[p_])) || t_[p_] == '-'))
            ++p_;
        if (start == p_) throw std::runtime_error("value expected at " + std::to_string(p_));
        return t_.substr(start, p_ - start);
    }
    void skip() {
        while (p_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[p_]))) ++p_;
    }
    char peek() {
        skip();
        return p_ < t_.size() ? t_[p_] : '\0';
    }
    bool next_is(char c) {
        if (peek() != c) return false;
        ++p_;
        return true;
    }
    void expect(char c) {
        if (!next_is(c))
            throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(p_));
    }
    const std::string& t_;
    size_t p_ = 0;
};

TEST_F(Inspect, JsonHoldsTheSameFindingsWithTheDocumentedKeys) {
    compile(kFaulty);
    Result text = inspect(run, "check eq.fil --source eq.txt");
    Result json = inspect(run, "check --json eq.fil --source eq.txt");
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(validate_with_jsonschema(json.out, ZOR_SOURCE_DIR "/inspect/check-schema.json"),
              std::vector<std::string>{});
    Json reader(json.out);
    auto findings = reader.array();
    EXPECT_EQ(reader.keys,
              (std::vector<std::string>{"code", "severity", "kind", "id", "name", "text", "line"}));
    std::string rebuilt;
    for (auto& f : findings)
        rebuilt += "eq.txt:" + f["line"] + ": " + f["severity"] + " " + f["code"] + ": " +
                   f["kind"] + " " + f["id"] + " " + f["name"] + ": " + f["text"] + "\n";
    EXPECT_EQ(rebuilt + "eq.fil: 12 errors, 6 warnings (11 definitions)\n", text.out);

    Result unlined = inspect(run, "check eq.fil --json");
    for (auto& f : Json(unlined.out).array()) EXPECT_EQ(f["line"], "null");
}

TEST_F(Inspect, TheSampleEquipmentPassesAndTheGemProfileNamesWhatItLacks) {
    run.write("equipment.txt", "");
    std::string sample = std::string(ZOR_SOURCE_DIR) + "/examples/equipment.txt";
    ASSERT_EQ(std::system(("cp '" + sample + "' '" + run.dir().string() + "/'").c_str()), 0);
    ASSERT_EQ(run.compile("equipment.txt"), 0) << run.output();
    Result r = inspect(run, "check equipment.fil --source equipment.txt");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "equipment.fil: 0 errors, 0 warnings (39 definitions)\n");

    Result gem = inspect(
        run, "check equipment.fil --profile '" ZOR_SOURCE_DIR "/inspect/profiles/gem-basic.txt'");
    EXPECT_EQ(gem.status, 0);  // warnings only
    EXPECT_EQ(inspect(run, "check equipment.fil --werror --profile '" ZOR_SOURCE_DIR
                           "/inspect/profiles/gem-basic.txt'")
                  .status,
              1);
    EXPECT_EQ(gem.out.find("Clock"), std::string::npos) << gem.out;  // SV_CLOCK is Clock
    EXPECT_NE(gem.out.find("warning W211: SV EventsEnabled: required by"), std::string::npos)
        << gem.out;
    EXPECT_NE(gem.out.find("0 errors, 7 warnings"), std::string::npos) << gem.out;
}

TEST_F(Inspect, ExitStatusesForWarningsUnreadableInputAndTheCommandLine) {
    compile("def_report RP_A {\n  rptid : 1\n}\n");
    Result warned = inspect(run, "check eq.fil");
    EXPECT_EQ(warned.status, 0);
    EXPECT_EQ(warned.out,
              "eq.fil: warning W201: RP 1 RP_A: no collection event links this report\n"
              "eq.fil: warning W202: RP 1 RP_A: the report has no variables\n"
              "eq.fil: 0 errors, 2 warnings (1 definitions)\n");
    EXPECT_EQ(inspect(run, "check eq.fil --werror").status, 1);

    run.write("broken.fil", "RP: NAME00000004RP_AID  0000zz01\r\n");
    Result broken = inspect(run, "check broken.fil");
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err,
              "ZorInspect: broken.fil: damaged object file, record RP \"RP_A\" at line 1, byte 25: "
              "bad hex digits in field \"ID  \"\n");

    Result missing = inspect(run, "check none.fil");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "ZorInspect: none.fil: cannot open none.fil\n");
    EXPECT_EQ(inspect(run, "check eq.fil --source none.txt").err,
              "ZorInspect: cannot open none.txt\n");
    EXPECT_EQ(inspect(run, "check eq.fil --profile none.txt").status, 2);

    for (const char* bad : {"", "check", "check eq.fil --frobnicate", "check a.fil b.fil",
                            "check eq.fil --source", "export eq.fil"}) {
        Result r = inspect(run, bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.out, "") << bad;
        EXPECT_NE(r.err, "") << bad;
    }
    Result help = inspect(run, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: ZorInspect <command> [options]\n", 0), 0u);
    EXPECT_NE(help.out.find("  W211  a definition the compliance profile requires is missing\n"),
              std::string::npos);
    Result version = inspect(run, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("ZorInspect ") + ZOR_VERSION + "\n");
}

}  // namespace
}  // namespace zor::testing
