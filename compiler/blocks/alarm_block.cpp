#include "compiler/blocks/event_blocks.h"
#include "textscan/textscan.h"

namespace zor::compiler {
namespace {

class AlarmBlock : public NumericIdBlock {
  public:
    using NumericIdBlock::NumericIdBlock;

    bool item(Compilation&, ItemKey key, const Fields& f) override {
        switch (key) {
            case ItemKey::alid: id_ = s_atoi(f[2].c_str()); return true;
            case ItemKey::altx: return set_once(text_, f[2]);
            case ItemKey::alcd: return set_once(code_, f[2]);
            case ItemKey::ce_on: return set_once(set_event_, f[2]);
            case ItemKey::ce_off: return set_once(clear_event_, f[2]);
            case ItemKey::enabled: return set_once(enabled_, f[2]);
            default: return false;
        }
    }

    void write_ids(IdFiles& files) const override {
        files.numeric_constant(name(), id_);
        files.list_line(name(), id_, "L", 0,
                        {code_.value_or(""), text_.value_or(""), set_event_.value_or(""),
                         clear_event_.value_or("")});
    }

    const char* refusal() const override {
        if (id_ == -1) return " no id ";
        if (!text_) return " no altx ";
        if (!code_) return " no alcd ";
        return nullptr;
    }

    ObjectRecord record(Compilation&) const override {
        ObjectRecord r("AL: ");
        r.text("NAME", name()).value("ID  ", id_).text("ALCD", *code_).text("ALTX", *text_);
        if (set_event_) r.text("CEON", *set_event_);
        if (clear_event_) r.text("CEOF", *clear_event_);
        if (enabled_) r.text("ENAB", *enabled_);
        return r;
    }

  private:
    std::optional<std::string> text_, code_, set_event_, clear_event_, enabled_;
};

}  // namespace

std::unique_ptr<Block> make_alarm_block(std::string name) {
    return std::make_unique<AlarmBlock>(std::move(name));
}

}  // namespace zor::compiler
