// The recent-files list: entries 0..OpenedLimit (slot 0 the newest), kept in "Opened.lst" and
// shown as the items of the File menu's array after its separator.
#pragma once

#include <QStringList>

namespace shell {
class FrmMain;
}

namespace document {

// Puts `path` in slot 0. A path already listed moves to the top instead of standing twice.
// The list keeps `limit` + 1 entries; the last slot is never pushed into.
QStringList AddToRecentList(QStringList entries, const QString& path, int limit);

// "&1  name.txt": the menu caption of slot k (0-based).
QString RecentCaption(int slot, const QString& path);

class RecentFiles {
 public:
  explicit RecentFiles(shell::FrmMain& window);

  const QStringList& entries() const { return m_slots; }
  void AddToRecent(const QString& path);
  void WriteRecentList();
  // Reads "Opened.lst" again and makes the menu items of its entries.
  void BuildRecentMenu();
  // The list becomes one empty slot; the menu keeps only its separator.
  void clear();

 private:
  int limit() const;

  shell::FrmMain& m_window;
  QStringList m_slots;
};

void InstallRecentFiles(shell::FrmMain& window);

}  // namespace document
