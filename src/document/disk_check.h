// The check, when the main window becomes active or the editor gets the focus, that another
// program changed the document's file.
#pragma once

namespace shell {
class FrmMain;
}

namespace document {

// Asks whether to reload when the file changed on disk since the program last loaded, saved or
// checked it, and its text differs from the editor's. Each change on disk is asked about once:
// the answer stands until the file changes again.
void CheckDiskChange(shell::FrmMain& window);

void InstallDiskCheck(shell::FrmMain& window);

}  // namespace document
