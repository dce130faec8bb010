#pragma once
// The editor's windows: created once at start in a fixed order (the first
// becomes the main window) and kept until the program ends.

#include <QList>

namespace zor::editor {

class Form;

// Creates the twenty windows and binds the session menu's panels to them.
void createWindows();
// The windows in creation order (empty before createWindows()).
QList<Form*> allWindows();
// Destroys them in reverse order, at the end of the program.
void destroyWindows();

}  // namespace zor::editor
