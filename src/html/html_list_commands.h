// The HTML lists shown in the result window: link targets, e-mail addresses and the size
// report. The main window owns one result window at a time.
#pragma once

namespace shell {
class FrmMain;
}

namespace html {

class FrmConsole;

// The window's result window, made (at its remembered place) when there is none.
FrmConsole& ConsoleOf(shell::FrmMain& window);

void InstallHtmlListCommands(shell::FrmMain& window);

}  // namespace html
