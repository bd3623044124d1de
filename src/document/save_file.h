// Getting the document into a file: the save procedure and the "Сохранить" command's flow.
#pragma once

#include <QString>

namespace shell {
class FrmMain;
}

namespace document {

// Writes the text to `path`; the document then refers to that file. A failure is reported
// to the user, the old file stays as it was and the document keeps its state.
bool SaveToFile(shell::FrmMain& window, const QString& path);

// Saves a modified document to its file, asking for a name when it has none. Returns false
// when the user cancelled or the save failed, so callers about to discard the text stop.
bool SaveCommand(shell::FrmMain& window);

// Saves to its path, or asks for a name under `title` when untitled.
bool SaveOrAsk(shell::FrmMain& window, const QString& title);

}  // namespace document
