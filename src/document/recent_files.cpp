#include "document/recent_files.h"

#include <QAction>
#include <memory>

#include "document/open_file.h"
#include "platform/list_file.h"
#include "shell/frm_main.h"

namespace document {
namespace {

constexpr const char* kListName = "Opened.lst";

QString fileNameOf(const QString& path) {
  return path.mid(std::max(path.lastIndexOf('/'), path.lastIndexOf('\\')) + 1);
}

}  // namespace

QStringList AddToRecentList(QStringList entries, const QString& path, int limit) {
  limit = std::max(limit, 1);
  while (entries.size() < limit + 1) entries.append(QString());
  // The slot that held the path closes up; the rest move down one place from the top.
  qsizetype gap = entries.indexOf(path);
  if (gap < 0 || gap >= limit) gap = limit - 1;
  for (qsizetype k = gap; k >= 1; --k) entries[k] = entries[k - 1];
  entries[0] = path;
  return entries;
}

QString RecentCaption(int slot, const QString& path) {
  return "&" + QString::number(slot + 1) + "  " + fileNameOf(path);
}

RecentFiles::RecentFiles(shell::FrmMain& window) : m_window(window) {}

int RecentFiles::limit() const {
  return m_window.context().settings.number(platform::Setting::OpenedLimit, 10);
}

void RecentFiles::AddToRecent(const QString& path) {
  m_slots = AddToRecentList(m_slots, path, limit());
  WriteRecentList();
  BuildRecentMenu();
}

void RecentFiles::WriteRecentList() {
  platform::ListFile::write(m_window.context().paths.file(kListName), m_slots);
}

void RecentFiles::BuildRecentMenu() {
  shell::MenuArray* menu = m_window.commands().array("mnuOpenedFile");
  menu->clear();
  QStringList items;
  const auto read = platform::ListFile::read(m_window.context().paths.file(kListName));
  if (read) {
    for (const QString& item : *read)
      if (!item.isEmpty()) items.append(item);
  }
  const int n = limit();
  items.resize(n + 1);
  m_slots = items;
  // Written only when tidying changed it: every start and every opened file rewrote the same
  // list, flushed to the disk each time.
  if (!read || *read != m_slots) WriteRecentList();
  for (int k = 0; k < n; ++k)
    if (!m_slots[k].isEmpty()) menu->add(RecentCaption(k, m_slots[k]));
}

void RecentFiles::clear() {
  m_slots = QStringList{QString()};
  WriteRecentList();
  BuildRecentMenu();
}

void InstallRecentFiles(shell::FrmMain& window) {
  auto recent = std::make_shared<RecentFiles>(window);
  window.setRecentFiles(recent);
  window.hooks().add(shell::Hook::RecentMenu, [recent] { recent->BuildRecentMenu(); });
  window.commands().bindArray("mnuOpenedFile", [&window, recent](int index) {
    if (index >= 1 && index <= recent->entries().size()) LFile(window, recent->entries()[index - 1]);
  });
}

}  // namespace document
