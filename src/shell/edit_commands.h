// The plain edit commands of the "Правка" menu (also the editor's context menu and tool bar).
#pragma once

namespace shell {

class FrmMain;

void InstallEditCommands(FrmMain& window);

}  // namespace shell
