#include "compiler/blocks/item_keys.h"

#include <array>
#include <string>

namespace zor::compiler {
namespace {

constexpr std::array<std::string_view, 49> kKeys = {
    "name",    "id",        "format", "min",        "max",       "val",     "nominal",
    "units",   "event",     "link",   "altx",       "alcd",      "ce_on",   "ce_off",
    "func",    "user_func", "put",    "get",        "set",       "check",   "ecid",
    "svid",    "dvid",      "ceid",   "alid",       "rptid",     "vname",   "enabled",
    "rptname", "func_name", "ppid",   "ccode",      "pparam",    "stream",  "function",
    "trid",    "dsper",     "totsmp", "repgsz",     "svname",    "limit",   "mdln",
    "softrev", "ppbody",    "rcpid",  "rcpparname", "rcpparval", "rcpbody", "vid",
};

bool equals_ignoring_ascii_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<ItemKey> find_item_key(std::string_view text) {
    for (size_t i = 0; i < kKeys.size(); ++i)
        if (equals_ignoring_ascii_case(text, kKeys[i])) return static_cast<ItemKey>(i);
    return std::nullopt;
}

}  // namespace zor::compiler
