// Start-up: restores the user's environment and wires the features in their fixed order.
#pragma once

#include <QString>

namespace shell {

class FrmMain;

// Runs every start-up step against the window. `commandLine` is the file to open, taken whole;
// a relative path is taken from the current working folder.
void RunStartup(FrmMain& window, const QString& commandLine);

// The editor options of the settings key applied to the editing control.
void ApplyEditorOptions(FrmMain& window);

}  // namespace shell
