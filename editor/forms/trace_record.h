#pragma once
// The trace editor's logic without its window: OK's validation and the
// TTRACE_INFO it builds, and the texts Edit shows.

#include <QString>
#include <QStringList>

struct TTRACE_INFO;

namespace zor::editor {

// What OK reads: the five boxes and the SVID grid's VID column. Edit fills
// the same fields (the SVIDs apart, which the grid shows).
struct TraceDetail {
    QString id;
    QString name;
    QString dsper;
    QString totsmp;
    QString repgsz;
    QStringList svids;
};

// The detail's defaults: "00000100", "1", "1".
TraceDetail newTraceDetail();

// OK's order: TRID and name present (trimmed copies, TRID format 16 and its
// length); DSPER, TOTSMP and REPGSZ present; DSPER not 0 (stored as typed,
// trimmed), TOTSMP and REPGSZ at least 1; at least one SVID, packed in row
// order. Fills a zeroed `record` with ZorAllocMem blocks (freed with the
// kind's free function, also after a refusal or a throw). Returns an empty
// text when built, else the message to show; ActionError for a number box or
// an SVID cell that is not an integer.
QString buildTrace(const TraceDetail& detail, TTRACE_INFO* record);

// The boxes Edit fills from a record.
TraceDetail viewTrace(const TTRACE_INFO& record);

}  // namespace zor::editor
