#include "editor/forms/spool_record.h"

#include <algorithm>

#include "editor/forms/record_fields.h"
#include "editor/shell/action.h"

namespace zor::editor {

namespace {

constexpr int kStreams = 256;  // zoredit keeps streams 0..255 (sources may set any)
constexpr int kMaxStream = 127;
constexpr int kMaxFunction = 255;

bool contains(const std::vector<int32_t>& list, int32_t f) {
    return std::find(list.begin(), list.end(), f) != list.end();
}

}  // namespace

QStringList registeredMessages() {
    QStringList messages;
    std::vector<int32_t> functions;
    for (int stream = 0; stream < kStreams; ++stream) {
        if (!spoolFunctions(stream, &functions)) continue;
        for (int32_t f : functions) messages << QStringLiteral("S%1F%2").arg(stream).arg(f);
    }
    return messages;
}

bool spoolFunctions(int stream, std::vector<int32_t>* functions) {
    functions->assign(kMaxSpoolFunctions, 0);
    const int n = GemGetSpoolInfo(0, stream, functions->data(), kMaxSpoolFunctions);
    functions->resize(n > 0 ? static_cast<size_t>(n) : 0);
    return n >= 0;
}

QString readStream(const QString& text, int* stream) {
    if (blank(text)) return QStringLiteral("ｽﾄﾘｰﾑを確認してください。");
    *stream = toInt(text.trimmed());
    if (*stream < 0 || *stream > kMaxStream) return QStringLiteral("ｽﾄﾘｰﾑの値を確認してください。");
    return {};
}

QString addFunction(const QString& streamText, const QString& functionText,
                    std::vector<int32_t>* list) {
    if (blank(streamText) || blank(functionText))
        return QStringLiteral("ｽﾄﾘｰﾑ、ﾌｧﾝｸｼｮﾝを確認してください。");
    const int stream = toInt(streamText.trimmed());
    const int function = toInt(functionText.trimmed());
    if (stream < 0 || stream > kMaxStream || function < 0 || function > kMaxFunction ||
        function % 2 == 0)
        return QStringLiteral("ｽﾄﾘｰﾑまたはﾌｧﾝｸｼｮﾝの値を確認してください。");
    if (contains(*list, function))
        return QStringLiteral("Function %1 は既にﾘｽﾄにあります。").arg(function);
    if (static_cast<int>(list->size()) >= kMaxSpoolFunctions)
        return QStringLiteral("Functionﾘｽﾄは%1件までです。").arg(kMaxSpoolFunctions);
    list->push_back(function);
    return {};
}

std::vector<int32_t> droppedBy(const std::vector<int32_t>& list, const std::vector<int32_t>& held) {
    std::vector<int32_t> dropped;
    for (int32_t f : held)
        if (!contains(list, f) && !contains(dropped, f)) dropped.push_back(f);
    return dropped;
}

}  // namespace zor::editor
