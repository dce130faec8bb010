#include "compiler/blocks/program_blocks.h"

namespace zor::compiler {
namespace {

struct RecipeParameter {
    std::string name;
    std::optional<FormattedText> value;
};

// Parameters belong to the block, not to its rcpid line: a parameter line
// before the rcpid, or a second rcpid, loses nothing.
class RecipeBlock : public Block {
  public:
    using Block::Block;

    bool item(Compilation& c, ItemKey key, const Fields& f) override {
        switch (key) {
            case ItemKey::rcpid: id_ = f[2]; return true;
            case ItemKey::rcpbody: body_ = f[2]; return true;
            case ItemKey::rcpparname:
                append_limited(c, parameters_, RecipeParameter{f[2], {}}, "rcpparname");
                return true;
            case ItemKey::rcpparval: {
                if (parameters_.empty()) return false;
                auto value = read_formatted_text(c, f);
                if (!value) return false;
                parameters_.back().value = std::move(value);
                return true;
            }
            default: return false;
        }
    }

    void write_ids(IdFiles& files) const override { files.text_constant(name(), id_.value_or("")); }
    DefinitionKey key() const override { return {true, 0, id_.value_or("")}; }
    const char* refusal() const override { return id_ ? nullptr : " no id "; }

    ObjectRecord record(Compilation&) const override {
        ObjectRecord r("RC: ");
        r.text("NAME", name()).text("ID  ", *id_);
        if (body_) r.text("PPBO", *body_);
        r.value("COUN", static_cast<int32_t>(parameters_.size()));
        for (const auto& p : parameters_) {
            r.text("PNAM", p.name);
            if (p.value)
                r.text("PVAL", p.value->text)
                    .byte("FORM", p.value->code)
                    .value("SIZE", p.value->size);
        }
        return r;
    }

  private:
    std::optional<std::string> id_, body_;
    std::vector<RecipeParameter> parameters_;
};

}  // namespace

std::unique_ptr<Block> make_recipe_block(std::string name) {
    return std::make_unique<RecipeBlock>(std::move(name));
}

}  // namespace zor::compiler
