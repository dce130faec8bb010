#pragma once
// Texts leave the editor (into zoredit, into files) as Shift-JIS, code page
// 932, and come back from it the same way.

#include <QByteArray>
#include <QString>

namespace zor::editor {

// The CP932 bytes of `text`. A text CP932 cannot hold is refused with an
// ActionError naming it, never changed silently.
QByteArray toSjis(const QString& text);
// True when CP932 can hold every character of `text`.
bool fitsSjis(const QString& text);
// Decodes CP932 bytes (up to the first NUL when given a C string). A lead
// byte without its trail byte decodes to one replacement character, also at
// the end; the byte after it is decoded on its own.
QString fromSjis(const QByteArray& bytes);
QString fromSjis(const char* text);

}  // namespace zor::editor
