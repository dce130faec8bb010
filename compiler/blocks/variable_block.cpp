#include "compiler/blocks/variable_block.h"

#include "compiler/blocks/format_spec.h"
#include "compiler/output/text_format.h"
#include "textscan/textscan.h"

namespace zor::compiler {

const VariableRules kEcRules{ItemKey::ecid, "EC: ", "!! vid count overflow", true, true, false};
const VariableRules kSvRules{ItemKey::svid, "SV: ", "!! vid list count overflow",
                             false,         false,  false};
const VariableRules kDvRules{ItemKey::dvid, "DV: ", "!! vid count overflow", false, false, true};

namespace {

struct Limit {
    std::string id, lower, upper;
};

class VariableBlock : public Block {
  public:
    VariableBlock(const VariableRules& rules, std::string name)
        : Block(std::move(name)), rules_(rules) {}

    bool item(Compilation& c, ItemKey key, const Fields& f) override {
        if (key == rules_.id_key) {
            id_ = s_atoi(f[2].c_str());
            return true;
        }
        switch (key) {
            case ItemKey::format: return read_format(c, f);
            case ItemKey::min: return set_once(min_, f[2]);
            case ItemKey::max: return set_once(max_, f[2]);
            case ItemKey::units: return set_once(units_, f[2]);
            case ItemKey::nominal: return read_nominal(c, f[2]);
            case ItemKey::event: append_limited(c, events_, f[2], "event"); return true;
            case ItemKey::limit:
                if (f.size() < 5) return false;
                append_limited(c, limits_, Limit{f[2], f[3], f[4]}, "limit");
                return true;
            case ItemKey::vid: read_vid(c, f); return true;
            default: return false;
        }
    }

    void write_ids(IdFiles& files) const override {
        files.numeric_constant(name(), id_);
        files.list_line(
            name(), id_, list_format_name(code_), size_,
            {units_.value_or(""), min_.value_or(""), max_.value_or(""), nominal_.value_or("")});
    }

    DefinitionKey key() const override { return {false, id_, {}}; }

    const char* refusal() const override { return id_ == -1 ? " no id " : nullptr; }

    ObjectRecord record(Compilation& c) const override {
        ObjectRecord r(rules_.prefix);
        r.text("NAME", name()).value("ID  ", id_).byte("FORM", code_);
        r.value("SIZE", size_).value("MSIZ", max_size_);
        if (units_) r.text("UNIT", *units_);
        if (min_) r.text("MIN ", *min_);
        if (max_) r.text("MAX ", *max_);
        if (nominal_) r.text("NOMI", *nominal_);
        for (const auto& l : limits_)
            r.text("LMID", l.id).text("LOWE", l.lower).text("UPPE", l.upper);
        for (const auto& e : events_) r.text("EVNT", e);
        if (c.revision == 2 && code_ == kFormatList) {
            if (static_cast<int32_t>(elements_.size()) == element_count_) {
                for (const auto& v : elements_) r.text("VID ", v);
            } else {
                c.report_block_warning(
                    format("!! vid count not match   vid count = %d  ( count set=%d), (error for "
                           "VUVIza3 R2) ",
                           element_count_, static_cast<int>(elements_.size())));
            }
        }
        return r;
    }

  private:
    bool read_format(Compilation& c, const Fields& f) {
        FormatSpec spec = read_format_spec(c, f);
        if (!spec.valid) return false;
        if (c.revision == 2 && spec.code == kFormatListEnd) {
            c.report_block_error("ICODE_END not used for REVISION-2");
            ++c.error_count;
            return false;
        }
        code_ = spec.code;
        size_ = spec.size;
        max_size_ = spec.max_size;
        return true;
    }

    bool read_nominal(Compilation& c, const std::string& value) {
        if (!set_once(nominal_, value)) return false;
        if (c.revision == 2 && code_ == kFormatList) {
            element_count_ = decimal_value(value);
            elements_.clear();
            if (rules_.prints_vid_count)
                c.messages.to_stdout(format("info->vid_count = %d\n", element_count_));
        }
        return true;
    }

    // A rejected element name is reported with its line but does not end
    // the block.
    void read_vid(Compilation& c, const Fields& f) {
        const char* refusal = nullptr;
        bool counted = false;
        if (c.revision == 1) {
            refusal = "!! vid command not supported for REVISION-1";
            counted = true;
        } else if (code_ != kFormatList) {
            refusal = "!! vid is not applied";
            counted = rules_.counts_vid_not_applied;
        } else if (static_cast<int32_t>(elements_.size()) >= element_count_) {
            refusal = rules_.vid_overflow_text;
            counted = rules_.counts_vid_overflow;
        } else {
            elements_.push_back(f[2]);
            return;
        }
        c.report_block_error(refusal);
        c.report_item_error(c.source.line_counter(), c.item_line);
        if (counted) ++c.error_count;
    }

    const VariableRules& rules_;
    int32_t id_ = -1;
    int code_ = 0;
    int32_t size_ = 0, max_size_ = 0;
    std::optional<std::string> units_, min_, max_, nominal_;
    std::vector<Limit> limits_;
    std::vector<std::string> events_;
    int32_t element_count_ = 0;
    std::vector<std::string> elements_;
};

}  // namespace

std::unique_ptr<Block> make_variable_block(const VariableRules& rules, std::string name) {
    return std::make_unique<VariableBlock>(rules, std::move(name));
}

}  // namespace zor::compiler
