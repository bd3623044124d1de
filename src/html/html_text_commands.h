// The HTML menu's whole-text conversions: "HTML - текст" and "Текст - HTML".
#pragma once

namespace shell {
class FrmMain;
}

namespace html {

void InstallHtmlTextCommands(shell::FrmMain& window);

}  // namespace html
