#pragma once
// For tests: pressing a form's buttons as a user does and reading its list
// grid.

#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>

namespace zor::editor {

class StringGrid;

inline void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
inline void press(QWidget* form, const char* name) {
    press(form->findChild<QPushButton*>(QString::fromLatin1(name)));
}

// The ID column (1) of a list grid down to the first empty cell.
QStringList listedIds(const StringGrid* grid);
// The row whose ID cell reads `id`; -1 when none.
int rowOf(const StringGrid* grid, const QString& id);

}  // namespace zor::editor
