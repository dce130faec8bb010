#include "compiler/blocks/program_blocks.h"

namespace zor::compiler {
namespace {

struct CommandCode {
    FormattedText code;
    std::vector<FormattedText> parameters;
};

// Command codes belong to the block, not to its ppid line: a ccode line
// before the ppid, or a second ppid, loses nothing.
class FppBlock : public TextIdBlock {
  public:
    using TextIdBlock::TextIdBlock;

    bool item(Compilation& c, ItemKey key, const Fields& f) override {
        switch (key) {
            case ItemKey::ppid: return read_id(c, f, true);
            case ItemKey::mdln: model_ = f[2]; return true;
            case ItemKey::softrev: software_revision_ = f[2]; return true;
            case ItemKey::ccode: {
                auto code = read_formatted_text(c, f);
                if (!code) return false;
                append_limited(c, commands_, CommandCode{std::move(*code), {}}, "ccode");
                return true;
            }
            case ItemKey::pparam: {
                if (commands_.empty()) return false;
                auto parameter = read_formatted_text(c, f);
                if (!parameter) return false;
                append_limited(c, commands_.back().parameters, std::move(*parameter), "pparam");
                return true;
            }
            default: return false;
        }
    }

    const char* refusal() const override {
        if (const char* r = id_refusal()) return r;
        if (!model_) return " no mdln ";
        if (!software_revision_) return " no softrev ";
        return nullptr;
    }

    ObjectRecord record(Compilation&) const override {
        ObjectRecord r("FP: ");
        r.text("NAME", name());
        write_id(r);
        r.text("MDLN", *model_).text("SOFT", *software_revision_);
        r.value("COUN", static_cast<int32_t>(commands_.size()));
        for (const auto& command : commands_) {
            write_formatted(r, "CCOD", command.code);
            r.value("PCOU", static_cast<int32_t>(command.parameters.size()));
            for (const auto& parameter : command.parameters) write_formatted(r, "PPAR", parameter);
        }
        return r;
    }

  private:
    static void write_formatted(ObjectRecord& r, const char* tag, const FormattedText& t) {
        r.text(tag, t.text).byte("FORM", t.code).value("SIZE", t.size).value("MSIZ", t.max_size);
    }

    std::optional<std::string> model_, software_revision_;
    std::vector<CommandCode> commands_;
};

}  // namespace

std::unique_ptr<Block> make_fpp_block(std::string name) {
    return std::make_unique<FppBlock>(std::move(name));
}

}  // namespace zor::compiler
