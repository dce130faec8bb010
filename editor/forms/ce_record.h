#pragma once
// The collection event editor's logic without its window: OK's validation
// and the TCE_INFO it builds.

#include <QString>
#include <QStringList>

struct TCE_INFO;

namespace zor::editor {

// What OK reads: the ID and name boxes, the CEED choice (0 Disable,
// 1 Enable) and the report grid's RPID column.
struct CeDetail {
    QString id;
    QString name;
    int ceed = 1;
    QStringList rpids;
};

// OK's order: ID and name present, the name trimmed, the CEID (not 0 or -1),
// CEED, the linked reports packed in row order. Fills a zeroed `record` with
// ZorAllocMem blocks (freed with the kind's free function, also after a
// refusal or a throw). Returns an empty text when built, else the message
// to show; ActionError for an RPID cell that is not an integer.
QString buildCe(const CeDetail& detail, TCE_INFO* record);

}  // namespace zor::editor
