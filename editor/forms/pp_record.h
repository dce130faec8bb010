#pragma once
// The process program editor's logic without its window: OK's validation
// and the TPP_INFO it builds, and the texts Edit shows.

#include <QString>

struct TPP_INFO;

namespace zor::editor {

// What OK reads and Edit fills: the three boxes.
struct PpDetail {
    QString id;
    QString name;
    QString body;
};

// OK's order: PPID present ("PPIDを確認してください。"), name present
// ("名前を確認してください。"); PPID and name as trimmed copies, the body
// exactly as typed (edge blanks are part of a quoted body, and an unchanged
// OK must not rewrite it); formats ASCII with the byte lengths. Fills a
// zeroed `record` with ZorAllocMem blocks (freed with the kind's free
// function, also after a refusal). Returns an empty text when built, else
// the message to show.
QString buildPp(const PpDetail& detail, TPP_INFO* record);

// The boxes Edit fills from a record.
PpDetail viewPp(const TPP_INFO& record);

}  // namespace zor::editor
