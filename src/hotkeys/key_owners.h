// Which command of the program already answers a key combination in the editor. A user hot key
// on such a key would either never run (a menu shortcut takes the key before the editor sees
// it) or run beside the program's command; the settings page refuses it.
#pragma once

#include <QString>
#include <optional>

namespace shell {
class FrmMain;
}

namespace hotkeys {

// The caption of the command, without its access letter and key text ("Создать" for Ctrl+N,
// "Извлечь E-Mail адреса" for Ctrl+Alt+M); nullopt when the program leaves the key free.
// `modifiers`: 1 Shift, 2 Ctrl, 4 Alt, added; `key`: a virtual-key code.
std::optional<QString> ProgramCommandFor(shell::FrmMain& window, int modifiers, int key);

// A caption as the user reads it: "&Открыть\tCtrl+O" is "Открыть", "A && B" is "A & B".
QString PlainCaption(const QString& caption);

}  // namespace hotkeys
