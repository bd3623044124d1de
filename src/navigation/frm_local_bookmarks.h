// The local-bookmarks window "Закладки": one line per bookmark, and a pop-up menu that sets,
// removes and goes to the bookmark of the selected line.
#pragma once

#include <QWidget>
#include <functional>

class QListWidget;
class QMenu;

namespace navigation {

// What the window does outside itself; the owner supplies it. Slots are 0..8.
struct LocalBookmarksHost {
  std::function<void(int slot)> set;
  std::function<void(int slot)> remove;
  std::function<void(int slot)> go;
  std::function<void()> closed;  // closed by its frame
};

class FrmLocalBookmarks : public QWidget {
  Q_OBJECT
 public:
  explicit FrmLocalBookmarks(LocalBookmarksHost host, QWidget* parent = nullptr);

  void setLabels(const QStringList& labels);
  // -1 when no line is selected.
  int selectedSlot() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void run(const std::function<void(int)>& work);

  LocalBookmarksHost m_host;
  QListWidget* m_list;
  QMenu* m_menu;
};

}  // namespace navigation
