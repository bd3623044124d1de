// Global bookmarks in the main window: the menu "&Закладки" with one item per bookmark, the
// bookmark dialog, the manager window, and going to a bookmark. "Bookmarks.lst" is the only
// store; the menu and the manager's list are made from it again after every change.
#pragma once

#include <QObject>
#include <QPointer>

#include "navigation/bookmark_list.h"

namespace shell {
class FrmMain;
}

namespace navigation {

class FrmBookmarks;

// Opens the bookmark's document with the program's open procedure (even when it is open
// already) and puts the caret at the bookmark's column of the line the caret stands on then.
// A document that no longer exists is reported and nothing changes: no question about the
// current document, no caret move. False when the document was not opened.
bool GoToBookmark(shell::FrmMain& window, const Bookmark& bookmark);

// Lives as a child of the main window and keeps the list and the one manager window.
class Bookmarks : public QObject {
  Q_OBJECT
 public:
  explicit Bookmarks(shell::FrmMain& window);

  const BookmarkList& list() const { return m_list; }
  QString filePath() const;
  // Reads the file again and rebuilds the menu array `mnuBookmark` and the manager's list.
  void reload();

  // The dialog in add mode. A document with a path proposes that path, its file name and
  // `position`; an untitled one proposes nothing.
  void add(int position, QWidget* parent);
  // The dialog in edit mode for bookmark `index`.
  void edit(int index, QWidget* parent);
  void remove(int index);
  bool go(int index);

  // Opens the manager, or brings it forward when it is open.
  FrmBookmarks& showManager();
  FrmBookmarks* manager() const;

 private:
  std::optional<int> indexInFile(int index, BookmarkList& file);
  void write(const BookmarkList& list);
  void reportWriteError(const QString& error);

  shell::FrmMain& m_window;
  BookmarkList m_list;
  QPointer<FrmBookmarks> m_manager;
};

Bookmarks& BookmarksOf(shell::FrmMain& window);

void InstallBookmarks(shell::FrmMain& window);

}  // namespace navigation
