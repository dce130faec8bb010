#include "textscan/fold_case.h"

#include "textscan/textscan.h"

namespace zor::textscan {

std::string fold_case(std::string_view text) {
    std::string folded(text);
    upper_to_lower_str(folded.data());
    return folded;
}

bool folds_equal(std::string_view text, std::string_view ascii_word) {
    if (text.size() != ascii_word.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < text.size(); ++i)
        if (lower(text[i]) != lower(ascii_word[i])) return false;
    return true;
}

}  // namespace zor::textscan
