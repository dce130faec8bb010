#include "editor/forms/trace_record.h"

#include "editor/forms/record_fields.h"
#include "editor/shell/action.h"
#include "editor/shell/library.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

TraceDetail newTraceDetail() {
    TraceDetail d;
    d.dsper = QStringLiteral("00000100");
    d.totsmp = QStringLiteral("1");
    d.repgsz = QStringLiteral("1");
    return d;
}

QString buildTrace(const TraceDetail& d, TTRACE_INFO* r) {
    if (blank(d.id) || blank(d.name)) return checkIdNameMessage();
    r->trid = lib::allocText(d.id.trimmed());
    r->trid_format = ZOR_FMT_A;
    r->trid_length = static_cast<int32_t>(toSjis(d.id.trimmed()).size());
    r->name = lib::allocText(d.name.trimmed());
    if (blank(d.dsper) || blank(d.totsmp) || blank(d.repgsz))
        return QStringLiteral("時間周期、ｻﾝﾌﾟﾙ数、ﾚﾎﾟｰﾄｸﾞﾙｰﾌﾟｻｲｽﾞを確認してください。");
    if (toInt(d.dsper.trimmed()) == 0) return QStringLiteral("時間周期を確認してください。");
    r->dsper = lib::allocText(d.dsper.trimmed());
    // The compiler takes no count below 1 either.
    r->totsmp = toInt(d.totsmp.trimmed());
    if (r->totsmp < 1) return QStringLiteral("合計ｻﾝﾌﾟﾙ数を確認してください。");
    r->repgsz = toInt(d.repgsz.trimmed());
    if (r->repgsz < 1) return QStringLiteral("ﾚﾎﾟｰﾄｸﾞﾙｰﾌﾟｻｲｽﾞを確認してください。");
    const std::vector<int32_t> svids = linkIds(d.svids);
    if (svids.empty()) return QStringLiteral("SVIDを設定してください。");
    putLinks(svids, &r->svid_count, &r->svids);
    return {};
}

TraceDetail viewTrace(const TTRACE_INFO& r) {
    TraceDetail d;
    d.id = fromSjis(r.trid);
    d.name = fromSjis(r.name);
    d.dsper = fromSjis(r.dsper);
    d.totsmp = QString::number(r.totsmp);
    d.repgsz = QString::number(r.repgsz);
    return d;
}

}  // namespace zor::editor
