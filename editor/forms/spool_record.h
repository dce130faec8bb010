#pragma once
// The spool editor's logic without its window: the registered messages, the
// stream and function checks, and what a set would drop.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "zoredit/zoredit.h"

namespace zor::editor {

// The most functions one stream holds: the list limit zoredit and the
// compiler accept.
inline constexpr int kMaxSpoolFunctions = ZOR_MAX_LIST;

// "S6F11" for each function of each stream that has a setting, streams 0 to
// 255 in order, functions in zoredit's order.
QStringList registeredMessages();

// The functions of a stream's setting (none when it has no setting); false
// when zoredit refuses the get.
bool spoolFunctions(int stream, std::vector<int32_t>* functions);

// The stream box as a stream the editor enters (0..127): "" and the stream,
// or the message to show ("ｽﾄﾘｰﾑを確認してください。" for a blank box,
// "ｽﾄﾘｰﾑの値を確認してください。" out of range); ActionError when it is no
// integer.
QString readStream(const QString& text, int* stream);

// btnAdd: both boxes present, integers, the stream 0..127 and the function
// odd (a primary message) and 0..255; the function not in `list` yet and the
// list not full. Appends it and returns "", or returns the message to show;
// ActionError for a box that is no integer.
QString addFunction(const QString& streamText, const QString& functionText,
                    std::vector<int32_t>* list);

// The functions of `held` that `list` lacks: what setting `list` drops.
std::vector<int32_t> droppedBy(const std::vector<int32_t>& list, const std::vector<int32_t>& held);

}  // namespace zor::editor
