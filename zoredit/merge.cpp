#include "zoredit/merge.h"

#include "zoredit/text_util.h"
#include "zoredit/values.h"

namespace zor::edit {

TextItem merge_text_item(const TextItem* held, std::string_view text, int32_t form,
                         int32_t length) {
    auto text_length = static_cast<int32_t>(text.size());
    if (!held) {
        TextItem item;
        item.text = std::string(text);
        item.form = form == 0 ? kFormatAscii : form;
        item.size = length > 0 ? length : text_length;
        item.msize = item.size;
        return item;
    }
    TextItem item = *held;
    if (form != 0 && form != kFormatAscii && form != held->form) item.form = form;
    if (held->text == text && item.form == held->form) return item;
    item.text = std::string(text);
    // A format the compiler refused comes back with the sizes it gave (none),
    // whatever the text.
    if (item.form == kFormatInvalid) return item;
    auto held_length = static_cast<int32_t>(held->text.size());
    if (length > 0 && length != text_length && length != held->size)
        item.size = length;
    else
        item.size =
            held->size == held_length && is_text_format(item.form) ? text_length : held->size;
    item.msize = held->msize == held->size ? item.size : held->msize;
    if (item.form != kFormatAscii && item.msize != item.size) item.msize = item.size;
    return item;
}

bool take_text_item(const TextItem* held, std::string_view text, int32_t form, int32_t length,
                    std::string_view what, TextItem& out, std::string& error) {
    TextItem item = merge_text_item(held, text, form, length);
    const bool changed = !held || item.text != held->text || item.form != held->form;
    if (changed && !text_fits_format(item.form, item.text)) {
        const FormatInfo* f = find_format(item.form);
        error = std::string(what) + " \"" + item.text + "\" is no value of its format " +
                std::string(f ? f->picker_name : "?");
        return false;
    }
    out = std::move(item);
    return true;
}

int32_t merge_max_size(bool held_same_form, int32_t held_size, int32_t held_msize, int form,
                       int32_t size) {
    bool ascii = form == kFormatAscii;
    if (held_same_form) {
        if (size == held_size) return held_msize;
        if (held_msize == held_size) return size;
        if (held_msize == 0) return 0;
        if (ascii) return held_msize;
    }
    return size == 1 ? 0 : size;
}

int32_t enable_value(const std::optional<std::string>& text) {
    if (!text) return 1;
    std::string t = fold_name(trim_blanks(*text));
    if (t.empty()) return 1;
    if (t == "off") return 0;
    switch (t[0]) {
        case 't':
        case 'e':
        case 'y':
        case 'o': return 1;
        case 'f':
        case 'd':
        case 'n': return 0;
        default: return parse_int(t) != 0 ? 1 : 0;
    }
}

std::optional<std::string> merge_enable(const std::optional<std::string>* held, int32_t value) {
    int32_t v = value != 0 ? 1 : 0;
    if (held && enable_value(*held) == v) return *held;
    return std::string(v ? "TRUE" : "FALSE");
}

}  // namespace zor::edit
