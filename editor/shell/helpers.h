#pragma once
// Helpers every definition editor shares: the confirmation beep, the
// duplicate ID and name checks against a list grid, and the conversion of a
// typed value into a zoredit value buffer.

#include <QString>

class QLineEdit;

namespace zor::editor {

class StringGrid;

// The confirmation beep (through the seam: ZorBeep(kind, 50)).
int EditBeep(int kind);

// Checks the ID and name typed in `idEdit` / `nameEdit` against the list
// grid (row 0 header, column 1 ID, column 2 name; the first empty ID cell
// ends the list; "***" rows are passed over). Returns 0, or -1 after showing
// "IDが重複しています。 %d番目を確認してください。" (the ID wins) or
// "名前が重複しています。 …". Names compare trimmed, ASCII upper-cased. An ID
// box or cell that is not an integer throws ActionError (the standard
// message), which stops the calling action.
int CheckDuplicateId(const QLineEdit* idEdit, const QLineEdit* nameEdit, const StringGrid* grid);
// The same for text IDs: IDs compare as trimmed, ASCII upper-cased texts.
int CheckDuplicateTextId(const QLineEdit* idEdit, const QLineEdit* nameEdit,
                         const StringGrid* grid);

// Builds a value buffer of `count` elements of format `code` from `text`
// into *place, allocated with ZorAllocMem (the record's free function
// releases it). A and J: always a buffer holding the whole text (at least
// count + 1 bytes: a longer text is kept whole, never cut). Other formats: an
// empty text gives null; F4 and F8 read a floating-point number (ActionError
// with the standard message when it is not one); the rest zor_atoi.
// Throws ActionError when the text does not fit Shift-JIS or no block can be
// had.
void TextToItemValue(int code, int count, void** place, const QString& text);

// ASCII letters upper-cased, everything else kept (how names compare).
QString upperAscii(const QString& text);

}  // namespace zor::editor
