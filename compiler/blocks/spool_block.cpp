#include "compiler/blocks/program_blocks.h"

namespace zor::compiler {
namespace {

class SpoolBlock : public Block {
  public:
    using Block::Block;

    bool item(Compilation& c, ItemKey key, const Fields& f) override {
        switch (key) {
            case ItemKey::stream: stream_ = decimal_value(f[2]); return true;
            case ItemKey::function:
                append_limited(c, functions_, decimal_value(f[2]) & 0xff, "function");
                return true;
            default: return false;
        }
    }

    // Spool blocks have no text ID: the constant carries the block's name.
    void write_ids(IdFiles& files) const override { files.text_constant(name(), name()); }
    DefinitionKey key() const override { return {false, stream_, {}}; }
    const char* refusal() const override { return stream_ == 0 ? " no id " : nullptr; }

    ObjectRecord record(Compilation&) const override {
        ObjectRecord r("SP: ");
        r.text("NAME", name()).byte("STRE", stream_);
        r.value("COUN", static_cast<int32_t>(functions_.size()));
        for (int32_t function : functions_) r.byte("FUNC", function);
        return r;
    }

  private:
    int32_t stream_ = 0;
    std::vector<int32_t> functions_;
};

}  // namespace

std::unique_ptr<Block> make_spool_block(std::string name) {
    return std::make_unique<SpoolBlock>(std::move(name));
}

}  // namespace zor::compiler
