#include "navigation/local_bookmarks.h"

#include <QAction>

#include "navigation/frm_local_bookmarks.h"
#include "navigation/named_objects.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/window_placement.h"

namespace navigation {
namespace {

constexpr const char* kOwnerName = "localBookmarks";
const QString kPlaceName = QStringLiteral("LocalBookmarks");
const QString kMenuItem = QStringLiteral("mnuLocalBookmarks");

constexpr int kShift = 1;
constexpr int kCtrl = 2;

}  // namespace

LocalBookmarks::LocalBookmarks(shell::FrmMain& window) : QObject(&window), m_window(window) {
  setObjectName(kOwnerName);
}

void LocalBookmarks::set(int slot) {
  const platform::SelRange range = m_window.txtMain().selection();
  m_window.setSelectionRange(range);
  m_table.set(slot, {range.startLine, range.startCol});
  showLabels();
}

void LocalBookmarks::remove(int slot) {
  m_table.clear(slot);
  showLabels();
}

void LocalBookmarks::go(int slot) {
  platform::EditControl& editor = m_window.txtMain();
  const LocalMark mark = ClampToText(m_table.at(slot), editor.lineCount());
  editor.setSelection({mark.line, mark.column, mark.line, mark.column}, true);
  m_window.setSelectionRange(editor.selection());
  m_window.activateWindow();
  m_window.focusEditor();
}

void LocalBookmarks::setShown(bool shown) {
  auto& settings = m_window.context().settings;
  if (shown) {
    if (!m_frame) {
      LocalBookmarksHost host;
      host.set = [this](int slot) { set(slot); };
      host.remove = [this](int slot) { remove(slot); };
      host.go = [this](int slot) { go(slot); };
      host.closed = [this] { setShown(false); };
      m_frame = new FrmLocalBookmarks(std::move(host), &m_window);
      shell::RestorePosition(*m_frame, settings, kPlaceName);
      showLabels();
    }
    m_frame->show();
    m_frame->raise();
  } else if (m_frame) {
    shell::StorePosition(*m_frame, settings, kPlaceName);
    m_frame->hide();
  }
  if (QAction* item = m_window.commands().action(kMenuItem)) item->setChecked(shown);
  settings.setWord(platform::Setting::LocalBookMarks, shown);
}

FrmLocalBookmarks* LocalBookmarks::window() const { return m_frame; }

void LocalBookmarks::showLabels() {
  if (!m_frame) return;
  QStringList labels;
  for (int slot = 0; slot < LocalBookmarkTable::kCount; ++slot) labels << m_table.label(slot);
  m_frame->setLabels(labels);
}

LocalBookmarks& LocalBookmarksOf(shell::FrmMain& window) {
  return OwnedChild<LocalBookmarks>(window, kOwnerName);
}

void InstallLocalBookmarks(shell::FrmMain& window) {
  LocalBookmarks& marks = LocalBookmarksOf(window);
  window.hooks().add(shell::Hook::LocalBookmarks, [&marks] { marks.setShown(true); });
  // A checkable item has changed its check when it runs.
  window.commands().bind(kMenuItem, [&marks, &window] {
    marks.setShown(window.commands().action(kMenuItem)->isChecked());
  });
  window.hooks().add(shell::KeyHook::LocalBookmarks, [&marks](int key, int shift) {
    const int slot = key - '1';
    if (shift == (kCtrl | kShift)) marks.set(slot);
    else if (shift == kCtrl) marks.go(slot);
    return true;
  });
}

}  // namespace navigation
