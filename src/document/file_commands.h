// The File menu's document commands and the document's own Edit-menu helpers.
#pragma once

#include <QString>

namespace shell {
class FrmMain;
}

namespace document {

// Makes the document a new untitled one holding `text` (undoable): no path, code page 1, written
// in UTF-8 with the line ends of `TextMode`; `modified` says whether closing it should ask.
void BecomeUntitled(shell::FrmMain& window, const QString& text, bool modified);

// Writes the selection and a CR LF to `path`; that file becomes the document.
bool SaveSelectionToFile(shell::FrmMain& window, const QString& path);

// The document text with a file's content added below a header naming it.
QString AddedFromFile(const QString& documentText, const QString& path, const QString& content);
// What "В файл" appends to a file: a dated header, the text and a closing line.
QString AppendedToFile(const QString& documentText, const QString& stamp);

void InstallFileCommands(shell::FrmMain& window);

}  // namespace document
