#include "compiler/blocks/program_blocks.h"

namespace zor::compiler {
namespace {

class TraceBlock : public TextIdBlock {
  public:
    using TextIdBlock::TextIdBlock;

    bool item(Compilation& c, ItemKey key, const Fields& f) override {
        switch (key) {
            case ItemKey::trid: return read_id(c, f, false);
            case ItemKey::dsper: sample_period_ = f[2]; return true;
            case ItemKey::totsmp: total_samples_ = decimal_value(f[2]); return true;
            case ItemKey::repgsz: group_size_ = decimal_value(f[2]); return true;
            case ItemKey::svname: append_limited(c, variables_, f[2], "svname"); return true;
            default: return false;
        }
    }

    // A trace without a sample period cannot run, so it is refused too.
    const char* refusal() const override {
        if (const char* r = id_refusal()) return r;
        return sample_period_ ? nullptr : " no dsper ";
    }

    ObjectRecord record(Compilation&) const override {
        ObjectRecord r("TR: ");
        r.text("NAME", name());
        write_id(r);
        r.text("DSPE", *sample_period_).value("TOTS", total_samples_).value("REPG", group_size_);
        r.value("COUN", static_cast<int32_t>(variables_.size()));
        for (const auto& v : variables_) r.text("SVNA", v);
        return r;
    }

  private:
    std::optional<std::string> sample_period_;
    int32_t total_samples_ = 0, group_size_ = 0;
    std::vector<std::string> variables_;
};

}  // namespace

std::unique_ptr<Block> make_trace_block(std::string name) {
    return std::make_unique<TraceBlock>(std::move(name));
}

}  // namespace zor::compiler
