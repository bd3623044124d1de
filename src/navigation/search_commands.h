// The "&Поиск" menu: the editing control's find and replace windows, find next, and going to
// a line or to a character position of the current line.
#pragma once

namespace shell {
class FrmMain;
}

namespace navigation {

void InstallSearchCommands(shell::FrmMain& window);

}  // namespace navigation
