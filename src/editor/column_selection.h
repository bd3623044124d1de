// Column selection with the mouse: in column-selection mode the range the mouse drew becomes a
// rectangle when the button is let go.
#pragma once

namespace shell {
class FrmMain;
}

namespace editor {

void InstallColumnSelection(shell::FrmMain& window);

}  // namespace editor
