#include "editor/forms/record_fields.h"

#include <algorithm>

#include "editor/shell/action.h"
#include "editor/shell/library.h"
#include "editor/shell/sjis.h"
#include "zoredit/zoredit.h"

namespace zor::editor {

QString checkIdNameMessage() { return QStringLiteral("ID、名前を確認してください。"); }

QString badIdMessage() { return QStringLiteral("IDの値が正しくありません。"); }

bool blank(const QString& text) { return text.trimmed().isEmpty(); }

int32_t atoiText(const QString& text) { return zor_atoi(toSjis(text.trimmed()).constData()); }

bool readNumericId(const QString& text, int32_t* id) {
    *id = atoiText(text);
    return *id != 0 && *id != -1;
}

std::vector<int32_t> linkIds(const QStringList& cells) {
    std::vector<int32_t> ids;
    for (const QString& cell : cells)
        if (!blank(cell)) ids.push_back(toInt(cell.trimmed()));
    return ids;
}

void putLinks(const std::vector<int32_t>& ids, int32_t* count, int32_t** array) {
    *count = 0;
    *array = nullptr;
    if (ids.empty()) return;
    const int n = static_cast<int>(ids.size());
    *array = lib::allocArray<int32_t>(n);
    std::copy(ids.begin(), ids.end(), *array);
    *count = n;
}

std::vector<int32_t> linksOf(const int32_t* array, int32_t count) {
    if (!array || count <= 0) return {};
    return std::vector<int32_t>(array, array + count);
}

}  // namespace zor::editor
