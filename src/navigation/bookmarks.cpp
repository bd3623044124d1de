#include "navigation/bookmarks.h"

#include <QFileInfo>

#include "document/open_file.h"
#include "navigation/bookmark_file.h"
#include "navigation/frm_add_bookmark.h"
#include "navigation/frm_bookmarks.h"
#include "navigation/named_objects.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/menu_array.h"
#include "shell/version.h"
#include "shell/window_placement.h"

namespace navigation {
namespace {

namespace Setting = platform::Setting;

constexpr const char* kOwnerName = "bookmarks";
const QString kMenuName = QStringLiteral("mnuBookmark");
const QString kPlaceName = QStringLiteral("Bookmarks");
const QString kTitle = QStringLiteral("Закладки");

void tell(shell::FrmMain& window, const QString& text, platform::MsgIcon icon) {
  window.context().ui.message(text, kTitle, platform::MsgButtons::Ok, icon);
}

BookmarksHost managerHost(Bookmarks& bookmarks, shell::FrmMain& window) {
  BookmarksHost host;
  host.add = [&bookmarks] { bookmarks.add(0, bookmarks.manager()); };
  host.remove = [&bookmarks](int index) { bookmarks.remove(index); };
  host.edit = [&bookmarks](int index) { bookmarks.edit(index, bookmarks.manager()); };
  host.go = [&bookmarks](int index) { bookmarks.go(index); };
  host.viewChanged = [&window](bool wide) {
    window.context().settings.set(Setting::BookMarksView, wide ? "1" : "0");
  };
  host.closed = [&bookmarks, &window] {
    shell::StorePosition(*bookmarks.manager(), window.context().settings, kPlaceName);
  };
  return host;
}

}  // namespace

bool GoToBookmark(shell::FrmMain& window, const Bookmark& bookmark) {
  // Checked before the open procedure, which would first ask about saving the current document
  // and run the open macro for a file that is not there.
  if (bookmark.document.isEmpty() || !QFileInfo::exists(bookmark.document)) {
    tell(window,
         QStringLiteral("Документ закладки «%1» не найден:\n%2")
             .arg(bookmark.name, bookmark.document),
         platform::MsgIcon::Warning);
    return false;
  }
  if (!document::LFile(window, bookmark.document)) return false;
  platform::EditControl& editor = window.txtMain();
  platform::SelRange range = editor.selection();
  range.startCol = bookmark.position;
  range.endCol = bookmark.position;
  editor.setSelection(range, true);
  window.setSelectionRange(editor.selection());
  window.activateWindow();
  window.focusEditor();
  return true;
}

Bookmarks::Bookmarks(shell::FrmMain& window) : QObject(&window), m_window(window) {
  setObjectName(kOwnerName);
}

QString Bookmarks::filePath() const {
  return m_window.context().paths.file(QStringLiteral("Bookmarks.lst"));
}

void Bookmarks::reload() {
  m_list = ReadBookmarks(filePath());
  if (shell::MenuArray* menu = m_window.commands().array(kMenuName)) {
    menu->clear();
    for (const Bookmark& bookmark : m_list.bookmarks()) menu->add(bookmark.name);
  }
  if (m_manager) m_manager->setBookmarks(m_list.bookmarks());
}

void Bookmarks::add(int position, QWidget* parent) {
  BookmarkFields proposal;
  if (const QString path = m_window.document().path(); !path.isEmpty())
    proposal = {path, QFileInfo(path).fileName(), QString::number(position)};
  FrmAddBookmark dialog(proposal, m_window.context(), parent ? parent : &m_window);
  if (m_window.context().ui.runModal(dialog) != QDialog::Accepted) return;
  QString error;
  if (!AppendBookmark(filePath(), dialog.fields(), &error)) reportWriteError(error);
  reload();
}

void Bookmarks::edit(int index, QWidget* parent) {
  if (index < 0 || index >= m_list.count()) return;
  const Bookmark& old = m_list.bookmarks()[index];
  FrmAddBookmark dialog({old.document, old.name, QString::number(old.position)},
                        m_window.context(), parent ? parent : &m_window);
  if (m_window.context().ui.runModal(dialog) != QDialog::Accepted) return;
  BookmarkList file;
  const auto place = indexInFile(index, file);
  if (!place) return;
  const BookmarkFields typed = dialog.fields();
  file.replace(*place, {typed.document, typed.name, LeadingPosition(typed.position)});
  write(file);
}

void Bookmarks::remove(int index) {
  BookmarkList file;
  const auto place = indexInFile(index, file);
  if (!place) return;
  file.remove(*place);
  write(file);
}

bool Bookmarks::go(int index) {
  if (index < 0 || index >= m_list.count()) return false;
  return GoToBookmark(m_window, m_list.bookmarks()[index]);
}

FrmBookmarks& Bookmarks::showManager() {
  if (!m_manager) {
    m_manager = new FrmBookmarks(managerHost(*this, m_window), &m_window);
    m_manager->setAttribute(Qt::WA_DeleteOnClose);
    const auto& settings = m_window.context().settings;
    shell::RestorePosition(*m_manager, settings, kPlaceName);
    m_manager->setWide(settings.number(Setting::BookMarksView) == 1);
  }
  reload();
  m_manager->show();
  m_manager->raise();
  m_manager->activateWindow();
  return *m_manager;
}

FrmBookmarks* Bookmarks::manager() const { return m_manager; }

// Another copy of the program may have changed the file since the list was shown: the change
// is made to the file as it is now, on the bookmark the user saw, so nothing written by the
// other copy is lost.
std::optional<int> Bookmarks::indexInFile(int index, BookmarkList& file) {
  if (index < 0 || index >= m_list.count()) return std::nullopt;
  file = ReadBookmarks(filePath());
  // A copy: the message below is written after reload() has replaced the list.
  const Bookmark shown = m_list.bookmarks()[index];
  if (index < file.count() && file.bookmarks()[index] == shown) return index;
  if (const qsizetype found = file.bookmarks().indexOf(shown); found >= 0) return int(found);
  reload();
  tell(m_window,
       QStringLiteral("Закладка «%1» уже изменена или удалена в файле\n%2\nСписок закладок "
                      "прочитан заново.")
           .arg(shown.name, filePath()),
       platform::MsgIcon::Information);
  return std::nullopt;
}

void Bookmarks::write(const BookmarkList& list) {
  QString error;
  if (!WriteBookmarks(filePath(), list, &error)) reportWriteError(error);
  reload();
}

void Bookmarks::reportWriteError(const QString& error) {
  m_window.context().ui.message(
      QStringLiteral("Невозможно сохранить закладки в файл\n") + filePath() + "\n\n" + error,
      QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
      platform::MsgIcon::Error);
}

Bookmarks& BookmarksOf(shell::FrmMain& window) {
  return OwnedChild<Bookmarks>(window, kOwnerName);
}

void InstallBookmarks(shell::FrmMain& window) {
  Bookmarks& bookmarks = BookmarksOf(window);
  window.hooks().add(shell::Hook::Bookmarks, [&bookmarks] { bookmarks.reload(); });
  shell::Commands& commands = window.commands();
  commands.bind("mnuSetBookmarks", [&bookmarks] { bookmarks.showManager(); });
  commands.bind("mnuNewBookmark", [&bookmarks, &window] {
    bookmarks.add(window.selectionRange().startCol, &window);
  });
  commands.bindArray(kMenuName, [&bookmarks](int index) {
    if (index >= 1) bookmarks.go(index - 1);
  });
}

}  // namespace navigation
