#include "editor/forms/alarm_record.h"

#include "editor/forms/record_fields.h"
#include "editor/shell/action.h"
#include "editor/shell/library.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

namespace {

uint32_t ceidOrNone(const QString& text) { return blank(text) ? 0 : readCeid(text); }

QString ceidText(uint32_t ceid) { return ceid == 0 ? QString() : QString::number(ceid); }

}  // namespace

QString buildAlarm(const AlarmDetail& d, TAL_INFO* r) {
    if (blank(d.id)) return QStringLiteral("alidを確認してください。");
    if (blank(d.alcd)) return QStringLiteral("alcdを確認してください。");
    if (blank(d.name)) return QStringLiteral("名前を確認してください。");
    r->alid = toInt(d.id.trimmed());
    if (r->alid == -1) return badIdMessage();
    r->name = lib::allocText(d.name.trimmed());
    const int alcd = toInt(d.alcd.trimmed());
    if (alcd < 0 || alcd > 255) return QStringLiteral("alcdを確認してください。");
    r->alcd = static_cast<uint8_t>(alcd);
    r->altx = lib::allocText(d.altx);
    r->ce_on = ceidOrNone(d.ceOn);
    r->ce_off = ceidOrNone(d.ceOff);
    r->aled = d.aled;
    return {};
}

AlarmDetail viewAlarm(const TAL_INFO& r) {
    AlarmDetail d;
    d.id = QString::number(r.alid);
    d.name = fromSjis(r.name);
    d.alcd = QString::number(r.alcd);
    d.altx = fromSjis(r.altx);
    d.aled = r.aled == 0 ? 0 : 1;
    d.ceOn = ceidText(r.ce_on);
    d.ceOff = ceidText(r.ce_off);
    return d;
}

uint32_t readCeid(const QString& text) {
    const QString digits = text.trimmed();
    try {
        return static_cast<uint32_t>(toInt(digits));
    } catch (const ActionError&) {
        bool ok = false;
        const uint32_t ceid = digits.startsWith(u'+') ? 0 : digits.toUInt(&ok, 10);
        if (!ok) throw;
        return ceid;
    }
}

QString ceLabelText(const QString& ceidText) {
    if (blank(ceidText)) return {};
    uint32_t ceid = 0;
    try {
        ceid = readCeid(ceidText);
    } catch (const ActionError&) {
        return {};
    }
    const QString name = lib::eventName(static_cast<int32_t>(ceid));
    return name.isEmpty() ? QStringLiteral("(未定義)") : name;
}

}  // namespace zor::editor
