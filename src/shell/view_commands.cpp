#include "shell/view_commands.h"

#include <QAction>

#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace shell {
namespace {

namespace Setting = platform::Setting;

bool isChecked(FrmMain& window, const char* name) {
  QAction* item = window.commands().action(QString::fromUtf8(name));
  return item && item->isChecked();
}

void installEscape(FrmMain& window) {
  // The window's hidden cancel button: Escape anywhere runs the exit procedure when allowed.
  auto* escape = new QAction(&window);
  escape->setObjectName("cmdEscape");
  escape->setShortcut(QKeySequence(Qt::Key_Escape));
  escape->setShortcutContext(Qt::WindowShortcut);
  escape->setEnabled(false);
  window.addAction(escape);
  QObject::connect(escape, &QAction::triggered, &window, [&window] { window.close(); });
  window.txtMain().releaseKeys({QKeySequence(Qt::Key_Escape)});
}

}  // namespace

void InstallViewCommands(FrmMain& window) {
  Commands& c = window.commands();
  auto& s = window.context().settings;
  platform::EditControl& editor = window.txtMain();

  c.bind("mnuViewToolBar", [&window, &s] {
    const bool on = isChecked(window, "mnuViewToolBar");
    s.setFlag(Setting::ToolBar, on);
    window.setToolBarShown(on);
  });
  c.bind("mnuViewStatusBar", [&window, &s] {
    const bool on = isChecked(window, "mnuViewStatusBar");
    s.setFlag(Setting::StatusBar, on);
    window.setStatusBarShown(on);
  });
  c.bind("mnuSplit", [&window, &s, &editor] {
    const bool on = isChecked(window, "mnuSplit");
    s.setFlag(Setting::Split, on);
    editor.setSplitterAllowed(on);
    if (on) editor.setSplitterPosition(editor.height() / 2);
    window.focusEditor();
  });
  c.bind("mnuColumnSel", [&window, &s, &editor] {
    const bool on = isChecked(window, "mnuColumnSel");
    s.setWord(Setting::ColumnSelection, on);
    editor.setColumnSelectionMode(on);
    window.focusEditor();
  });
  c.bind("mnuTopMost", [&window, &s] {
    const bool on = isChecked(window, "mnuTopMost");
    s.setFlag(Setting::TopMost, on);
    window.setTopMost(on);
  });
  // Kept as it always was: the flag is stored, the editor's wrapping is written back unchanged.
  c.bind("mnuWordWrap", [&window, &s, &editor] {
    s.setFlag(Setting::WordWrap, isChecked(window, "mnuWordWrap"));
    editor.setWrap(editor.wrap());
  });
  c.bind("mnuExit", [&window] { window.close(); });
  installEscape(window);
}

}  // namespace shell
