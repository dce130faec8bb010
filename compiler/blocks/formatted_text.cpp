#include <algorithm>

#include "compiler/blocks/format_spec.h"
#include "compiler/blocks/program_blocks.h"

namespace zor::compiler {

std::optional<FormattedText> read_formatted_text(Compilation& c, const Fields& f) {
    if (f.size() <= 6) return std::nullopt;
    FormatSpec spec = read_format_spec(c, f);
    if (spec.value_index >= f.size()) return std::nullopt;
    return FormattedText{f[spec.value_index], spec.code, spec.size, spec.max_size};
}

bool TextIdBlock::read_id(Compilation& c, const Fields& f, bool raise_sizes) {
    auto id = read_formatted_text(c, f);
    if (!id) return false;
    if (raise_sizes) {
        auto length = static_cast<int32_t>(id->text.size());
        id->size = std::max(id->size, length);
        id->max_size = std::max(id->max_size, length);
    }
    id_ = std::move(id);
    return true;
}

void TextIdBlock::write_id(ObjectRecord& r) const {
    r.text("ID  ", id_->text).byte("FORM", id_->code).value("SIZE", id_->size);
    r.value("MSIZ", id_->max_size);
}

}  // namespace zor::compiler
