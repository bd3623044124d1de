// Showing the page in a browser: the saved file when there is one, else the text written to a
// private temporary file.
#pragma once

#include <QString>

namespace shell {
class FrmMain;
}

namespace html {

// The file a browser is given for the document: its own path when it has been saved, else
// "Ostrel_Preview_Temp.htm" in a folder only this program uses, kept while the window lives,
// holding the selection (the whole text when nothing is selected) and one CR LF. "" when that
// file cannot be written.
QString PreviewFile(shell::FrmMain& window);

void InstallHtmlPreview(shell::FrmMain& window);

}  // namespace html
