#include "compiler/blocks/event_blocks.h"
#include "textscan/textscan.h"

namespace zor::compiler {
namespace {

class CeBlock : public NumericIdBlock {
  public:
    using NumericIdBlock::NumericIdBlock;

    bool item(Compilation& c, ItemKey key, const Fields& f) override {
        switch (key) {
            case ItemKey::ceid: id_ = s_atoi(f[2].c_str()); return true;
            case ItemKey::enabled:
                if (set_once(enabled_, f[2])) return true;
                c.messages.to_log(" CE put_str_info() error\n");
                return false;
            case ItemKey::rptname: append_limited(c, reports_, f[2], "rptname"); return true;
            default: return false;
        }
    }

    ObjectRecord record(Compilation&) const override {
        ObjectRecord r("CE: ");
        r.text("NAME", name()).value("ID  ", id_);
        if (enabled_) r.text("ENAB", *enabled_);
        for (const auto& report : reports_) r.text("RPNA", report);
        return r;
    }

  private:
    std::optional<std::string> enabled_;
    std::vector<std::string> reports_;
};

}  // namespace

std::unique_ptr<Block> make_ce_block(std::string name) {
    return std::make_unique<CeBlock>(std::move(name));
}

}  // namespace zor::compiler
