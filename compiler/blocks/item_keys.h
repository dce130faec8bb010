#pragma once
// The one table of item keys shared by every block kind. Which keys a block
// accepts is up to the block; a key outside the table is no key at all.

#include <optional>
#include <string_view>

namespace zor::compiler {

enum class ItemKey {
    name,
    id,
    format,
    min,
    max,
    val,
    nominal,
    units,
    event,
    link,
    altx,
    alcd,
    ce_on,
    ce_off,
    func,
    user_func,
    put,
    get,
    set,
    check,
    ecid,
    svid,
    dvid,
    ceid,
    alid,
    rptid,
    vname,
    enabled,
    rptname,
    func_name,
    ppid,
    ccode,
    pparam,
    stream,
    function,
    trid,
    dsper,
    totsmp,
    repgsz,
    svname,
    limit,
    mdln,
    softrev,
    ppbody,
    rcpid,
    rcpparname,
    rcpparval,
    rcpbody,
    vid,
};

// Case-insensitive look-up.
std::optional<ItemKey> find_item_key(std::string_view text);

}  // namespace zor::compiler
