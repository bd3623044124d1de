// The HTML menu's small authoring aids: a new page, links, pictures, music, font tags, line
// breaks, colour codes, the colour gradient and the URL of a selected link.
#pragma once

namespace shell {
class FrmMain;
}

namespace html {

void InstallHtmlTagCommands(shell::FrmMain& window);

}  // namespace html
