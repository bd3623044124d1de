// The line and character commands of the Text and Edit menus, the sort commands and the
// paragraph-formatting window: each reads its target, applies a pure operation and puts the
// result back in one step.
#pragma once

namespace shell {
class FrmMain;
}

namespace text {

// Binds every command below, the sort and format commands included.
void InstallLineCommands(shell::FrmMain& window);

// "По алфавиту" and "Против алфавита".
void InstallSortCommands(shell::FrmMain& window);

}  // namespace text
