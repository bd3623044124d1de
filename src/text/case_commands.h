// The "Ре&гистр" submenu of the Text menu and the three commands that rewrite Russian letters:
// "&Транслит" and the two keyboard-layout swaps.
#pragma once

namespace shell {
class FrmMain;
}

namespace text {

void InstallCaseCommands(shell::FrmMain& window);

}  // namespace text
