// The window "Настройки": twelve pages of options sharing one place, chosen by the option
// buttons on its left. Nothing is buffered: every control writes its value the moment it
// changes, so there is no Cancel. The main window has at most one; a closed one is gone and
// the next is filled afresh from the settings and list files.
#pragma once

#include <QDialog>

class QGroupBox;
class QRadioButton;
class QStackedWidget;

namespace shell {
class FrmMain;
}

namespace settings {

class FrmSettings : public QDialog {
  Q_OBJECT
 public:
  explicit FrmSettings(shell::FrmMain& window);

  // Shows page `page` and stores it as the page shown last.
  void showPage(int page);
  int currentPage() const;
  QGroupBox& frame(int page) const { return *m_frames[page]; }

  void reject() override;  // Escape closes, as the frame's button does

 Q_SIGNALS:
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  shell::FrmMain& m_window;
  QRadioButton* m_options[12] = {};
  QGroupBox* m_frames[12] = {};
  QStackedWidget* m_stack;
};

// Opens the window, or brings it to the front, on the page shown last, or on `page`.
FrmSettings& OpenSettings(shell::FrmMain& window, int page = -1);
// The open window; nullptr when there is none.
FrmSettings* FindSettings(shell::FrmMain& window);

void InstallSettings(shell::FrmMain& window);

}  // namespace settings
