#include "editor/forms/ce_record.h"

#include "editor/forms/record_fields.h"
#include "editor/shell/library.h"

namespace zor::editor {

QString buildCe(const CeDetail& d, TCE_INFO* r) {
    if (blank(d.id) || blank(d.name)) return checkIdNameMessage();
    r->name = lib::allocText(d.name.trimmed());
    if (!readNumericId(d.id, &r->ceid)) return badIdMessage();
    r->ceed = d.ceed;
    putLinks(linkIds(d.rpids), &r->rpid_count, &r->rpids);
    return {};
}

}  // namespace zor::editor
