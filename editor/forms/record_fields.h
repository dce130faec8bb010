#pragma once
// What the record builders of the definition editors share: the ID and name
// checks at the start of OK, numeric IDs, and the linked IDs read from a
// link grid's ID column.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace zor::editor {

// "ID、名前を確認してください。"
QString checkIdNameMessage();
// "IDの値が正しくありません。"
QString badIdMessage();

bool blank(const QString& text);
// zor_atoi of the trimmed text: 0 for a text that is not a number.
int32_t atoiText(const QString& text);

// A numeric ID as OK reads it: zor_atoi of the trimmed text. 0 and -1 are no
// IDs (-1 is the compiler's "no ID": a definition saved with it would be
// dropped by the next compile); false for them.
bool readNumericId(const QString& text, int32_t* id);

// The IDs of the non-blank cells, in row order. Each is a decimal integer
// (ActionError with the standard message otherwise: a typo must not become
// a link to some other definition).
std::vector<int32_t> linkIds(const QStringList& cells);

// `ids` into a record's count and array (a ZorAllocMem block; none when
// `ids` is empty).
void putLinks(const std::vector<int32_t>& ids, int32_t* count, int32_t** array);

// The IDs a record links to.
std::vector<int32_t> linksOf(const int32_t* array, int32_t count);

}  // namespace zor::editor
