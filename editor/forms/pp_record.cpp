#include "editor/forms/pp_record.h"

#include "editor/forms/record_fields.h"
#include "editor/shell/library.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

namespace {
int32_t byteLength(const QString& text) { return static_cast<int32_t>(toSjis(text).size()); }
}  // namespace

QString buildPp(const PpDetail& d, TPP_INFO* r) {
    if (blank(d.id)) return QStringLiteral("PPIDを確認してください。");
    if (blank(d.name)) return QStringLiteral("名前を確認してください。");
    r->ppid = lib::allocText(d.id.trimmed());
    r->name = lib::allocText(d.name.trimmed());
    r->ppbody = lib::allocText(d.body);
    r->ppid_format = ZOR_FMT_A;
    r->ppid_length = byteLength(d.id.trimmed());
    r->ppbody_format = ZOR_FMT_A;
    r->ppbody_length = byteLength(d.body);
    return {};
}

PpDetail viewPp(const TPP_INFO& r) {
    return {fromSjis(r.ppid), fromSjis(r.name), fromSjis(r.ppbody)};
}

}  // namespace zor::editor
