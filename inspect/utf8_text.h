#pragma once
// The definitions' Shift-JIS texts (code page 932) as UTF-8, for what
// ZorInspect writes for other programs: JSON, CSV, Markdown and HTML.

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace zor::inspect {

// One converter is reused for every text of an export: opening the code
// page's table costs more than converting a short text.
class Utf8Converter {
  public:
    // The text in UTF-8. A byte that begins no character of the code page
    // comes out as U+FFFD and the rest still converts.
    std::string operator()(std::string_view sjis);

  private:
    platform::Cp932 code_page_;
};

}  // namespace zor::inspect
