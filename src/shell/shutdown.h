// The exit procedure: the question about unsaved changes, the last file and the placement.
#pragma once

namespace shell {

class FrmMain;

// Returns false when the user cancelled (or a save failed), and the program must go on.
bool RunShutdown(FrmMain& window);

}  // namespace shell
