// Scripts bound to the program's events in "Macro.ini", run before the program's own action.
#pragma once

#include <QString>

namespace shell {
class FrmMain;
}

namespace automation {

enum class MacroEvent { Start, Exit, Open, Save, Copy, Paste, Cut, Delete };

// The binding's keys in "Macro.ini": the Enable key and the File key of section "Main".
QString EnableKey(MacroEvent event);
QString FileKey(MacroEvent event);

// Runs the event's script when its binding is enabled ("1"); the file is read afresh each time.
void RunEventMacro(shell::FrmMain& window, MacroEvent event);

void InstallEventMacros(shell::FrmMain& window);

}  // namespace automation
