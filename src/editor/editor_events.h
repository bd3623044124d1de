// The main window's reactions to the editing control: changes mark the document modified, the
// right mouse button and the menu key show the Edit menu.
#pragma once

namespace shell {
class FrmMain;
}

namespace editor {

void InstallEditorEvents(shell::FrmMain& window);

}  // namespace editor
