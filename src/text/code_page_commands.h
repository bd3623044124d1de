// The code-page menu, detection and the conversion window.
#pragma once

namespace shell {
class FrmMain;
}

namespace text {

// Declares the text to be in `codePage`: converts it from there to the code page the document
// was in, records the new one and moves the menu's check mark.
void SetCodePage(shell::FrmMain& window, int codePage);
// Detects the code page of the whole text and converts it to Windows-1251 when it is another.
void RecognizeCodePage(shell::FrmMain& window);

void InstallCodePageCommands(shell::FrmMain& window);

}  // namespace text
