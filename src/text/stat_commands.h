// The statistics window and the symbol table, opened from the Text and Insert menus.
#pragma once

namespace shell {
class FrmMain;
}

namespace text {

void InstallStatCommands(shell::FrmMain& window);

}  // namespace text
