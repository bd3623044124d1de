// The colours of the highlight page: the items of "Colors.ini" with their text colour,
// background and font style. A change is written to the file and repaints the editor at once.
#pragma once

class QGroupBox;
class QWidget;

namespace shell {
class FrmMain;
}

namespace settings {

QGroupBox* HighLightColoursGroup(QWidget& parent, shell::FrmMain& window);

}  // namespace settings
