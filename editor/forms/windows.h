#pragma once
// The editor's windows: created once at start in a fixed order (the first
// becomes the main window) and kept until the program ends.

namespace zor::editor {

// Creates the twenty windows and binds the session menu's panels to them.
void createWindows();
// Destroys them in reverse order, at the end of the program.
void destroyWindows();

}  // namespace zor::editor
