#include "compiler/blocks/block_kinds.h"

#include "compiler/blocks/event_blocks.h"
#include "compiler/blocks/program_blocks.h"
#include "compiler/blocks/variable_block.h"
#include "textscan/fold_case.h"

namespace zor::compiler {
namespace {

std::unique_ptr<Block> make_ec(std::string n) {
    return make_variable_block(kEcRules, std::move(n));
}
std::unique_ptr<Block> make_sv(std::string n) {
    return make_variable_block(kSvRules, std::move(n));
}
std::unique_ptr<Block> make_dv(std::string n) {
    return make_variable_block(kDvRules, std::move(n));
}

const BlockKind kBlockKinds[] = {
    {"def_ec", Section::ec, " !! EC compile error\n", false, true, true, make_ec},
    {"def_sv", Section::sv, " !! SV compile error\n", false, false, true, make_sv},
    {"def_dv", Section::dv, " !! DVVAL compile error\n", false, true, true, make_dv},
    {"def_ce", Section::ce, " !! CE compile error\n", false, true, true, make_ce_block},
    {"def_alarm", Section::al, " !! Alarm compile error\n", false, true, true, make_alarm_block},
    {"def_report", Section::rp, " !! Report compile error\n", false, true, true, make_report_block},
    {"def_msgfunc", Section::ec, "", false, false, false, nullptr},
    {"def_pp", Section::pp, " !! PP compile error\n", false, true, true, make_pp_block},
    {"def_fpp", Section::fp, " !! FPP compile error\n", true, true, true, make_fpp_block},
    {"def_rcp", Section::rcp, " !! Recipe compile error\n", false, true, true, make_recipe_block},
    {"def_spool", Section::sp, " !! Spool compile error\n", false, true, true, make_spool_block},
    {"def_trace", Section::tr, " !! Trace compile error\n", false, true, false, make_trace_block},
};

}  // namespace

const BlockKind* find_block_kind(std::string_view keyword) {
    std::string folded = textscan::fold_case(keyword);
    for (const auto& kind : kBlockKinds)
        if (folded == kind.keyword) return &kind;
    return nullptr;
}

}  // namespace zor::compiler
