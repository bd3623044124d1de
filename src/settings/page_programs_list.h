// The program list of the page "Программы": the user's programs with their program lines, kept
// in "Programs.lst" and the menu "&Программы" through the programs feature.
#pragma once

class QGroupBox;
class QWidget;

namespace shell {
class FrmMain;
}

namespace settings {

// The frame "Программы" with the list read afresh from the file.
QGroupBox* ProgramListGroup(QWidget& frame, shell::FrmMain& window);

}  // namespace settings
