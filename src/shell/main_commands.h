// The main window's own commands: editor font, date and time, line divider, printing, running
// the document, and the help menu.
#pragma once

namespace shell {

class FrmMain;

void InstallMainCommands(FrmMain& window);
void InstallHelpCommands(FrmMain& window);

}  // namespace shell
