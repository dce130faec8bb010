#include "editor/forms/report_record.h"

#include "editor/forms/record_fields.h"
#include "editor/shell/library.h"

namespace zor::editor {

QString buildReport(const ReportDetail& d, TRP_INFO* r) {
    if (blank(d.id) || blank(d.name)) return checkIdNameMessage();
    r->name = lib::allocText(d.name.trimmed());
    if (!readNumericId(d.id, &r->rpid)) return badIdMessage();
    putLinks(linkIds(d.vids), &r->vid_count, &r->vids);
    return {};
}

}  // namespace zor::editor
