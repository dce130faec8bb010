#include "textscan/fold_case.h"

#include "textscan/textscan.h"

namespace zor::textscan {

std::string fold_case(std::string_view text) {
    std::string folded(text);
    upper_to_lower_str(folded.data());
    return folded;
}

}  // namespace zor::textscan
