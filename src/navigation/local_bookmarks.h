// Local bookmarks in the main window: Ctrl+Shift+1..9 sets bookmark 1..9 at the caret,
// Ctrl+1..9 goes back there, and the checkable item "Локальные закладки" shows their window.
#pragma once

#include <QObject>
#include <QPointer>

#include "navigation/local_bookmark_table.h"

namespace shell {
class FrmMain;
}

namespace navigation {

class FrmLocalBookmarks;

// Lives as a child of the main window and keeps the slots and their window.
class LocalBookmarks : public QObject {
  Q_OBJECT
 public:
  explicit LocalBookmarks(shell::FrmMain& window);

  const LocalBookmarkTable& table() const { return m_table; }
  // Stores where the selection starts, taken from the editor now.
  void set(int slot);
  // Clears the slot back to the start of the text; the window shows "0" for it.
  void remove(int slot);
  // Puts the caret at the slot's line and column, scrolled into view, and focuses the editor.
  // A line past the end of the text is the last line; a column past the end of its line is
  // the line's end.
  void go(int slot);

  // Shows or hides the window, keeps the menu item's check and "LocalBookMarks" in step, and
  // stores the window's place when it hides.
  void setShown(bool shown);
  FrmLocalBookmarks* window() const;

 private:
  void showLabels();

  shell::FrmMain& m_window;
  LocalBookmarkTable m_table;
  QPointer<FrmLocalBookmarks> m_frame;
};

LocalBookmarks& LocalBookmarksOf(shell::FrmMain& window);

void InstallLocalBookmarks(shell::FrmMain& window);

}  // namespace navigation
