#include "editor/testing/form_driver.h"

#include "editor/shell/string_grid.h"

namespace zor::editor {

QStringList listedIds(const StringGrid* grid) {
    QStringList ids;
    for (int row = 1; row < grid->rowCount() && !grid->cell(1, row).isEmpty(); ++row)
        ids << grid->cell(1, row);
    return ids;
}

int rowOf(const StringGrid* grid, const QString& id) {
    for (int row = 1; row < grid->rowCount(); ++row)
        if (grid->cell(1, row) == id) return row;
    return -1;
}

}  // namespace zor::editor
