#pragma once
// The alarm editor's logic without its window: OK's validation and the
// TAL_INFO it builds, the texts Edit shows, and the name shown beside a
// set/clear event field.

#include <QString>
#include <cstdint>

struct TAL_INFO;

namespace zor::editor {

// What OK reads and Edit fills: the six boxes and the ALED choice (0 Disable,
// 1 Enable).
struct AlarmDetail {
    QString id;
    QString name;
    QString alcd;
    QString altx;
    int aled = 1;
    QString ceOn;
    QString ceOff;
};

// OK's order: ALID, ALCD and name present (each trimmed for the check); the
// ALID an integer other than -1 (the compiler's "no ID"; 0 is an alarm ID
// like any other); the ALCD an integer 0..255 (the record holds one byte, a
// wider code would be stored as some other code); the name trimmed; the ALTX
// as typed, edge blanks kept; the set and clear CEIDs (blank: none). Fills a
// zeroed `record` with ZorAllocMem blocks (freed with the kind's free
// function, also after a refusal or a throw). Returns an empty text when
// built, else the message to show; ActionError for a box that is not an
// integer.
QString buildAlarm(const AlarmDetail& detail, TAL_INFO* record);

// The boxes Edit fills from a record; an event of 0 leaves its box empty.
AlarmDetail viewAlarm(const TAL_INFO& record);

// A CEID box as a CEID: an integer, or the unsigned decimal a record's
// CEID is shown as (a CE with a negative ID links as its 32-bit pattern).
// ActionError with the standard message otherwise.
uint32_t readCeid(const QString& text);

// What the label beside a CEID box shows: the CE's name, "(未定義)" for a
// CEID no CE has, nothing for a blank box or a text that is no CEID.
QString ceLabelText(const QString& ceidText);

}  // namespace zor::editor
