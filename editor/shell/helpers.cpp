#include "editor/shell/helpers.h"

#include <QLineEdit>
#include <algorithm>
#include <functional>

#include "editor/shell/action.h"
#include "editor/shell/library.h"
#include "editor/shell/seam.h"
#include "editor/shell/sjis.h"
#include "editor/shell/string_grid.h"
#include "zoredit/zoredit.h"

namespace zor::editor {

namespace {

const QString kDeletedMark = QStringLiteral("***");

// The one loop behind both checks; `sameId` compares the typed ID with a row.
// Deleted rows are passed over: their IDs and names are free again, as
// zoredit takes a new definition under a deleted one's key or name.
int checkDuplicate(const QLineEdit* nameEdit, const StringGrid* grid,
                   const std::function<bool(const QString&)>& sameId) {
    const QString name = upperAscii(nameEdit->text().trimmed());
    int idRow = -1;
    int nameRow = -1;
    for (int row = 1; row < grid->rowCount(); ++row) {
        const QString idCell = grid->cell(1, row);
        if (idCell.isEmpty()) break;
        if (idCell.trimmed() == kDeletedMark) continue;
        bool idMatch = sameId(idCell);
        bool nameMatch = upperAscii(grid->cell(2, row).trimmed()) == name;
        if (idMatch && !nameMatch) idRow = row;
        if (!idMatch && nameMatch) nameRow = row;
    }
    QWidget* parent = nameEdit->window();
    if (idRow != -1) {
        seam().message(
            parent, QStringLiteral("IDが重複しています。 %1番目を確認してください。").arg(idRow));
        return -1;
    }
    if (nameRow != -1) {
        seam().message(
            parent,
            QStringLiteral("名前が重複しています。 %1番目を確認してください。").arg(nameRow));
        return -1;
    }
    return 0;
}

}  // namespace

int EditBeep(int kind) {
    seam().beep(kind);
    return 0;
}

QString upperAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - (u'a' - u'A'));
    return out;
}

int CheckDuplicateId(const QLineEdit* idEdit, const QLineEdit* nameEdit, const StringGrid* grid) {
    const int id = toInt(idEdit->text().trimmed());
    return checkDuplicate(nameEdit, grid,
                          [id](const QString& cell) { return toInt(cell.trimmed()) == id; });
}

int CheckDuplicateTextId(const QLineEdit* idEdit, const QLineEdit* nameEdit,
                         const StringGrid* grid) {
    const QString id = upperAscii(idEdit->text().trimmed());
    return checkDuplicate(nameEdit, grid,
                          [&id](const QString& cell) { return upperAscii(cell.trimmed()) == id; });
}

void TextToItemValue(int code, int count, void** place, const QString& text) {
    if (code == ZOR_FMT_A || code == ZOR_FMT_J) {
        QByteArray bytes = toSjis(text);
        // Room for the whole text, so nothing is cut or written past.
        const int room = std::max(count, static_cast<int>(bytes.size()));
        char* buffer = lib::allocArray<char>(room + 1);
        std::copy(bytes.begin(), bytes.end(), buffer);
        buffer[bytes.size()] = '\0';
        *place = buffer;
        return;
    }
    if (text.isEmpty()) {
        *place = nullptr;
        return;
    }
    const int n = std::max(count, 0);
    if (code == ZOR_FMT_F4 || code == ZOR_FMT_F8) {
        const double value = toFloat(text);
        void* buffer = lib::allocBlock(static_cast<qint64>(zor_get_item_unit_size(code)) * n);
        if (code == ZOR_FMT_F4) {
            const float f = static_cast<float>(value);
            zor_set_vdval(buffer, &f, code, n, n);
        } else {
            zor_set_vdval(buffer, &value, code, n, n);
        }
        *place = buffer;
        return;
    }
    QByteArray bytes = toSjis(text);
    const int32_t value = zor_atoi(bytes.constData());
    void* buffer = lib::allocBlock(static_cast<qint64>(zor_get_item_unit_size(code)) * n);
    zor_set_vdval(buffer, &value, code, n, n);
    *place = buffer;
}

}  // namespace zor::editor
