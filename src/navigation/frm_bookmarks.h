// The bookmark manager "Закладки": the names in file order, the selected bookmark's details,
// and a pop-up menu that adds, removes, changes and goes to bookmarks. It shows the details
// only in its wide view.
#pragma once

#include <QWidget>
#include <functional>

#include "navigation/bookmark_list.h"

class QLineEdit;
class QListWidget;
class QMenu;

namespace navigation {

// What the manager does outside itself; the owner supplies it. Each index is a bookmark's place
// in the list.
struct BookmarksHost {
  std::function<void()> add;
  std::function<void(int)> remove;
  std::function<void(int)> edit;
  std::function<void(int)> go;
  std::function<void(bool wide)> viewChanged;  // "Спрятать/Показать инфу"
  std::function<void()> closed;                // after the window closed by its frame
};

class FrmBookmarks : public QWidget {
  Q_OBJECT
 public:
  explicit FrmBookmarks(BookmarksHost host, QWidget* parent = nullptr);

  // Fills the list again; the same place stays selected while the list has it.
  void setBookmarks(const QList<Bookmark>& bookmarks);
  // -1 when no bookmark is selected.
  int selectedIndex() const;
  void setWide(bool wide);
  bool isWide() const { return m_wide; }

  // The pop-up menu's commands, on the selected bookmark; without one, only adding works.
  void addBookmark();
  void removeBookmark();
  void editBookmark();
  void goToBookmark();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void showDetails();

  BookmarksHost m_host;
  QList<Bookmark> m_bookmarks;
  QListWidget* m_list;
  QWidget* m_details;
  QLineEdit* m_document;
  QLineEdit* m_position;
  QLineEdit* m_name;
  QMenu* m_menu;
  bool m_wide = false;
};

}  // namespace navigation
