// The "Вид" menu toggles, the exit command and the Escape key.
#pragma once

namespace shell {

class FrmMain;

void InstallViewCommands(FrmMain& window);

}  // namespace shell
