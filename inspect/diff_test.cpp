// The diff's matching on equipments built in memory: links follow what they
// resolve to, a repeated stream meets its counterpart, order counts.
#include "inspect/diff.h"

#include <gtest/gtest.h>

namespace zor::inspect {
namespace {

std::vector<std::string> lines(const edit::Equipment& a, const edit::Equipment& b) {
    std::vector<std::string> out;
    Snapshot old_snapshot(a), new_snapshot(b);
    for (const auto& c : diff(DefinitionFields(old_snapshot), DefinitionFields(new_snapshot)))
        out.push_back(change_line(c));
    return out;
}

edit::Variable variable(const std::string& name, int32_t id) {
    edit::Variable v;
    v.name = name;
    v.id = id;
    v.form = 44;
    return v;
}

edit::Spool spool(const std::string& name, int32_t stream, std::vector<int32_t> functions) {
    edit::Spool s;
    s.name = name;
    s.stream = stream;
    s.functions = std::move(functions);
    return s;
}

edit::ProcessProgram program(const std::string& name, const std::string& ppid,
                             const std::string& body) {
    edit::ProcessProgram p;
    p.name = name;
    p.ppid.text = ppid;
    p.body.text = body;
    return p;
}

edit::Equipment base() {
    edit::Equipment eq;
    eq.sv = {variable("SV_A", 1), variable("SV_B", 2)};
    eq.rp.resize(1);
    eq.rp[0].name = "RP_1";
    eq.rp[0].id = 10;
    eq.rp[0].variables = {"SV_A", "SV_B"};
    eq.ce.resize(1);
    eq.ce[0].name = "CE_1";
    eq.ce[0].id = 20;
    eq.ce[0].reports = {"RP_1"};
    return eq;
}

TEST(Diff, RenamingALinkedDefinitionIsOneRenameNotAnUnlinkAndALink) {
    edit::Equipment renamed = base();
    renamed.sv[0].name = "SV_ALPHA";
    renamed.rp[0].variables[0] = "sv_alpha";  // names match without regard to case
    EXPECT_EQ(lines(base(), renamed),
              std::vector<std::string>{"SV 1 SV_ALPHA: renamed SV_A \x81\xa8 SV_ALPHA"});
    EXPECT_TRUE(lines(base(), base()).empty());
    // ID 0 is an ID like any other.
    edit::Equipment zero = base(), zero_renamed = base();
    zero.sv[0].id = zero_renamed.sv[0].id = 0;
    zero_renamed.sv[0].name = "SV_ZERO";
    zero_renamed.rp[0].variables[0] = "SV_ZERO";
    EXPECT_EQ(lines(zero, zero_renamed),
              std::vector<std::string>{"SV 0 SV_ZERO: renamed SV_A \x81\xa8 SV_ZERO"});
}

TEST(Diff, ALinkToAnotherIdIsUnlinkedAndLinkedAndOrderAloneIsAChange) {
    edit::Equipment moved = base();
    moved.sv[1].id = 3;  // SV_B now is VID 3: the report sends another VID
    auto out = lines(base(), moved);
    EXPECT_EQ(out, (std::vector<std::string>{"SV 2 SV_B: removed", "SV 3 SV_B: added",
                                             "RP 10 RP_1: variable SV_B (2) unlinked",
                                             "RP 10 RP_1: variable SV_B (3) linked"}));

    edit::Equipment swapped = base();
    std::swap(swapped.rp[0].variables[0], swapped.rp[0].variables[1]);
    EXPECT_EQ(lines(base(), swapped),
              std::vector<std::string>{"RP 10 RP_1: variables order SV_A (1); SV_B (2) \x81\xa8 "
                                       "SV_B (2); SV_A (1)"});

    edit::Equipment dangling = base();
    dangling.ce[0].reports.push_back("RP_GONE");
    EXPECT_EQ(lines(base(), dangling),
              std::vector<std::string>{"CE 20 CE_1: report RP_GONE (not defined) linked"});
}

TEST(Diff, SpoolsMatchByStreamInTurnTextIdsWithoutRegardToCaseButTheirSpellingIsAChange) {
    edit::Equipment a, b;
    // Streams 6 and 262 are both byte 6 in the file.
    a.sp = {spool("S6", 6, {11}), spool("S6B", 6, {})};
    b.sp = {spool("S6", 6, {11})};
    a.pp = {program("PP_A", "Recipe1", "x")};
    b.pp = {program("PP_A", "RECIPE1", "y")};
    EXPECT_EQ(lines(a, b), (std::vector<std::string>{"SPOOL 6 S6B: removed",
                                                     "PP RECIPE1 PP_A: id Recipe1 \x81\xa8 RECIPE1",
                                                     "PP RECIPE1 PP_A: body x \x81\xa8 y"}));
}

}  // namespace
}  // namespace zor::inspect
