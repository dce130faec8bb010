#include "compiler/blocks/program_blocks.h"

namespace zor::compiler {
namespace {

class PpBlock : public TextIdBlock {
  public:
    using TextIdBlock::TextIdBlock;

    bool item(Compilation& c, ItemKey key, const Fields& f) override {
        switch (key) {
            case ItemKey::ppid: return read_id(c, f, true);
            case ItemKey::ppbody: body_ = read_formatted_text(c, f); return body_.has_value();
            default: return false;
        }
    }

    // A record without a body cannot be loaded, so it is refused too.
    const char* refusal() const override {
        if (const char* r = id_refusal()) return r;
        return body_ ? nullptr : " no ppbody ";
    }

    ObjectRecord record(Compilation&) const override {
        ObjectRecord r("PP: ");
        r.text("NAME", name());
        write_id(r);
        r.text("PPBO", body_->text).byte("FORM", body_->code).value("SIZE", body_->size);
        r.value("MSIZ", body_->max_size);
        return r;
    }

  private:
    std::optional<FormattedText> body_;
};

}  // namespace

std::unique_ptr<Block> make_pp_block(std::string name) {
    return std::make_unique<PpBlock>(std::move(name));
}

}  // namespace zor::compiler
