// Files dropped on the main window, from a file manager: the first of them is opened as
// "&Открыть" opens a file, with the same question about a modified document.
#pragma once

#include <QStringList>

namespace shell {
class FrmMain;
}

namespace document {

// Opens the first of `paths` once the drop is over; nothing for an empty list.
void OpenDroppedFiles(shell::FrmMain& window, const QStringList& paths);

// Files dropped on the text and on the rest of the window open; dropped text keeps going in
// where it is dropped.
void InstallFileDrop(shell::FrmMain& window);

}  // namespace document
