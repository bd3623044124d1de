// The window "Мультизамена": a list of "search=replacement" lines applied to the
// whole document at once, saved to and loaded from list files. It stays open beside the editor,
// owned by the main window, which has at most one: asked for again while it is open, the same
// window comes to the front. A closed window is gone; the next one is made anew, filled from the
// files and put at the remembered place (a window hidden and shown again was put one frame off
// its place by the window manager now and then).
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;

namespace shell {
class FrmMain;
}

namespace navigation {

class FrmMultiReplace : public QDialog {
  Q_OBJECT
 public:
  explicit FrmMultiReplace(shell::FrmMain& window);

  // Shows the window: the first time filled from its files and settings and put at its
  // remembered place; when it is already open only brought to the front, keeping what was typed.
  void openWindow();

  // The list field's text with CR LF line ends.
  QString listText() const;
  void setListText(const QString& text);

  // The buttons' work.
  void replaceAll();  // cmdRepl
  void openList();    // cmdOpen
  void loadList();    // cmdLoad
  void saveList();    // cmdSave

  // Escape closes the window as its Close button does.
  void reject() override;

 Q_SIGNALS:
  // The window was closed and is about to go.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void fill();
  // Replaces the list field with a list file's items; a file that cannot be read is reported
  // and the field left as it was.
  void readList(const QString& path);
  void focusEditor();

  shell::FrmMain& m_window;
  QPlainTextEdit* m_list;
  QComboBox* m_files;
  QCheckBox* m_matchCase;
};

// Binds "mnuMultiReplace".
void InstallMultiReplace(shell::FrmMain& window);

}  // namespace navigation
