// What follows every caret or selection move: the remembered selection, the highlighted line,
// the enabled state of the edit commands and the status-bar text.
#pragma once

#include <QString>

namespace shell {
class FrmMain;
}

namespace editor {

struct StatusInfo {
  int line = 1;  // 1-based, as the user counts
  int lineCount = 1;
  QString codePage;
  int column = 1;  // 1-based
  int lineLength = 0;
  int textLength = 0;
};

// "line : lines | code page | column : line length + 1 | Всего символов: n".
QString StatusText(const StatusInfo& info);

void InstallSelectionEvents(shell::FrmMain& window);
// Runs the selection-change work now (start-up and commands that move the caret call it).
void RefreshAfterSelection(shell::FrmMain& window);
// "&Вставить" enabled when the editor takes a paste and the clipboard holds text.
void RefreshPasteCommand(shell::FrmMain& window);

}  // namespace editor
