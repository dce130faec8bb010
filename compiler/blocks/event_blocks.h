#pragma once
// Collection events, reports and alarms: blocks with a numeric ID whose list
// line has format "L" and size 0.

#include "compiler/blocks/block.h"

namespace zor::compiler {

class NumericIdBlock : public Block {
  public:
    using Block::Block;

    void write_ids(IdFiles& files) const override {
        files.numeric_constant(name(), id_);
        files.list_line(name(), id_, "L", 0, {});
    }
    DefinitionKey key() const override { return {false, id_, {}}; }
    const char* refusal() const override { return id_ == -1 ? " no id " : nullptr; }

  protected:
    int32_t id_ = -1;
};

std::unique_ptr<Block> make_ce_block(std::string name);
std::unique_ptr<Block> make_report_block(std::string name);
std::unique_ptr<Block> make_alarm_block(std::string name);

}  // namespace zor::compiler
