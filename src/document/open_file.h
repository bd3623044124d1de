// Getting a file into the editor: the full open procedure and the quiet open of start-up.
#pragma once

#include <QString>

#include "document/document.h"
#include "platform/text_file.h"

namespace shell {
class FrmMain;
}

namespace document {

// Said when a file changed size while it was read.
extern const QString kPartialMessage;
// Said when the text is only part of its file, for the reason given (see Document::partial).
QString PartialMessage(Partial partial);
// Asked when a file that looks binary was opened read-only.
extern const QString kBinaryQuestion;

// The full open procedure: offers to save a modified document first, loads the file and
// reports a failure. Returns true when the file became the document.
bool LFile(shell::FrmMain& window, const QString& path);

// Before another text takes the editor's place: a modified document is asked about ("Сохранить
// предыдущий документ перед открытием?"). False when the user cancelled or the save failed.
bool SavePreviousIfWanted(shell::FrmMain& window);

// Loads a file without any question or message; used once at start for the command line. A
// name no file has yet, in a folder that exists, becomes an empty document carrying that name,
// which the first save creates.
bool OpenFromCommandLine(shell::FrmMain& window, const QString& path);

// How a document no file was read into is written: UTF-8, the system's own encoding, with the
// line ends `TextMode` asks for.
platform::TextFormat NewDocumentFormat(shell::FrmMain& window);

// The text is all of the file it refers to (just saved) or of none (a new document): nothing of
// a partial or inexact read holds any more, and the text may be edited.
void ForgetHowItWasRead(shell::FrmMain& window);

// Reads the document's file again as opening reads it (its encoding, no code page), without
// any question; false when the document is untitled or the file cannot be read.
bool ReloadDocument(shell::FrmMain& window);

}  // namespace document
