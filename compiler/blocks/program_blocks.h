#pragma once
// Blocks identified by a text ID (process programs, formatted process
// programs, recipes, traces) and the spool block, keyed by its stream.

#include "compiler/blocks/block.h"

namespace zor::compiler {

// A text written with its item format, as in "ppid : A[20] PROG01".
struct FormattedText {
    std::string text;
    int code = 0;
    int32_t size = 0;
    int32_t max_size = 0;
};

// Reads the format specification and the text after it. Needs more than six
// fields; a format error keeps the text with format code 255.
std::optional<FormattedText> read_formatted_text(Compilation& c, const Fields& fields);

class TextIdBlock : public Block {
  public:
    using Block::Block;

    void write_ids(IdFiles& files) const override {
        files.text_constant(name(), id_ ? id_->text : std::string());
    }
    DefinitionKey key() const override { return {true, 0, id_ ? id_->text : std::string()}; }

  protected:
    // Reads an ID item; when `raise_sizes`, the sizes grow to the ID's length.
    bool read_id(Compilation& c, const Fields& f, bool raise_sizes);
    const char* id_refusal() const { return id_ ? nullptr : " no id "; }
    void write_id(ObjectRecord& r) const;

    std::optional<FormattedText> id_;
};

std::unique_ptr<Block> make_pp_block(std::string name);
std::unique_ptr<Block> make_fpp_block(std::string name);
std::unique_ptr<Block> make_recipe_block(std::string name);
std::unique_ptr<Block> make_trace_block(std::string name);
std::unique_ptr<Block> make_spool_block(std::string name);

}  // namespace zor::compiler
