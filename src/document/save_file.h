// Getting the document into a file: the save procedure and the "Сохранить" command's flow.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "document/save_encoding.h"

namespace shell {
class FrmMain;
}

namespace document {

// Writes the text to `path`; the document then refers to that file. A failure is reported
// to the user, the old file stays as it was and the document keeps its state. A timer's save
// asks nothing about the encoding (see save_encoding.h).
bool SaveToFile(shell::FrmMain& window, const QString& path, SaveBy by = SaveBy::User);

// Saves a modified document to its file, asking for a name when it has none. Returns false
// when the user cancelled or the save failed, so callers about to discard the text stop.
bool SaveCommand(shell::FrmMain& window);

// The code page a save converts the text into (SaveCodir, SaveInCodir, CurCodir); 1 when the
// text is written in the document's own encoding.
int SaveCodePage(shell::FrmMain& window);

// The bytes a save would write now when it converts into a code page; nullopt when the save
// writes the document's own encoding (SaveCodePage is 1).
std::optional<QByteArray> ConvertedBytesToSave(shell::FrmMain& window);

// Saves to its path, or asks for a name under `title` when untitled.
bool SaveOrAsk(shell::FrmMain& window, const QString& title);

}  // namespace document
