#include "editor/forms/link_names.h"

#include <array>

#include "editor/forms/variable_record.h"
#include "editor/shell/library.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

namespace {

const char* const kKindNames[] = {"EC", "SV", "DVVAL"};

// The name in the first kind of `order` that defines `vid`, with that kind
// when another kind defines it too.
QString nameInOrder(int32_t vid, const std::array<int, 3>& order) {
    QString name;
    int found = -1;
    int kinds = 0;
    for (int mode : order) {
        lib::Record<TV_INFO> record;
        if (lib::variableCalls(mode).get(0, vid, record.get()) != 0) continue;
        ++kinds;
        if (found < 0) {
            found = mode;
            name = fromSjis(record->name);
        }
    }
    if (kinds > 1) name += QStringLiteral(" (%1)").arg(QString::fromLatin1(kKindNames[found]));
    return name;
}

}  // namespace

QString reportLinkName(int32_t rpid) { return lib::reportName(rpid); }

QString variableLinkName(int32_t vid) { return nameInOrder(vid, {kModeEc, kModeSv, kModeDv}); }

QString statusVariableLinkName(int32_t vid) {
    return nameInOrder(vid, {kModeSv, kModeEc, kModeDv});
}

}  // namespace zor::editor
