#pragma once
// The report editor's logic without its window: OK's validation and the
// TRP_INFO it builds.

#include <QString>
#include <QStringList>

struct TRP_INFO;

namespace zor::editor {

// What OK reads: the ID and name boxes and the VID grid's VID column (the
// name column is not read).
struct ReportDetail {
    QString id;
    QString name;
    QStringList vids;
};

// OK's order: ID and name present, the name trimmed, the RPID (not 0 or
// -1), the VIDs packed in row order (a report may have none). Fills a zeroed
// `record` with ZorAllocMem blocks (freed with the kind's free function, also
// after a refusal or a throw). Returns an empty text when built, else the
// message to show; ActionError for a VID cell that is not an integer.
QString buildReport(const ReportDetail& detail, TRP_INFO* record);

}  // namespace zor::editor
