// The calculator and numbers-in-words commands of the Edit menu's "&Специальное" submenu. Both
// work on the selection only; with nothing selected they insert at the caret what an empty
// selection gives ("=1" and "ноль").
#pragma once

namespace shell {
class FrmMain;
}

namespace text {

void InstallCalcCommands(shell::FrmMain& window);

}  // namespace text
