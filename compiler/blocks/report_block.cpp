#include "compiler/blocks/event_blocks.h"
#include "textscan/textscan.h"

namespace zor::compiler {
namespace {

class ReportBlock : public NumericIdBlock {
  public:
    using NumericIdBlock::NumericIdBlock;

    bool item(Compilation& c, ItemKey key, const Fields& f) override {
        switch (key) {
            case ItemKey::rptid: id_ = s_atoi(f[2].c_str()); return true;
            case ItemKey::vname: append_limited(c, variables_, f[2], "vname"); return true;
            default: return false;
        }
    }

    ObjectRecord record(Compilation&) const override {
        ObjectRecord r("RP: ");
        r.text("NAME", name()).value("ID  ", id_);
        for (const auto& variable : variables_) r.text("VNAM", variable);
        return r;
    }

  private:
    std::vector<std::string> variables_;
};

}  // namespace

std::unique_ptr<Block> make_report_block(std::string name) {
    return std::make_unique<ReportBlock>(std::move(name));
}

}  // namespace zor::compiler
