// The menu "Macro - скрипт": the scripts of the Macro folder, running the document itself, and
// the rule that shows the menu only while a script file is open.
#include <QAction>
#include <QDir>
#include <QMenu>

#include "automation/event_macros.h"
#include "automation/macro_runner.h"
#include "shell/frm_main.h"

namespace automation {
namespace {

namespace Setting = platform::Setting;

void showMacroMenu(shell::FrmMain& window, bool shown) {
  if (QMenu* menu = window.commands().menu(QStringLiteral("mnuMacroScript")))
    menu->menuAction()->setVisible(shown);
}

// With the menu kept for script files, it follows the file at hand: the one opened or saved,
// or none for a new document.
void followFile(shell::FrmMain& window, const QString& path) {
  if (window.context().settings.flag(Setting::MacroOnlyForOPS))
    showMacroMenu(window, IsScriptFile(path));
}

QString macroFolder(shell::FrmMain& window) {
  return window.context().paths.file(QStringLiteral("Macro"));
}

void BuildMacroMenu(shell::FrmMain& window) {
  shell::MenuArray* menu = window.commands().array(QStringLiteral("mnuMacro"));
  if (!menu) return;
  menu->clear();
  const QDir folder(macroFolder(window));
  const QStringList names = folder.entryList({QStringLiteral("*.mac")}, QDir::Files, QDir::Unsorted);
  for (const QString& name : names) menu->add(name.left(name.size() - 4));
  // Before any file is opened no script is at hand.
  followFile(window, QString());
}

}  // namespace

void FollowMacroMenuOption(shell::FrmMain& window) {
  if (window.context().settings.flag(Setting::MacroOnlyForOPS))
    showMacroMenu(window, IsScriptFile(window.document().path()));
  else
    showMacroMenu(window, true);
}

void InstallMacros(shell::FrmMain& window) {
  auto* runner = new MacroRunner(window);
  shell::Commands& c = window.commands();
  window.hooks().add(shell::Hook::MacroMenu, [runner, &window] {
    BuildMacroMenu(window);
    runner->loadUserMacros();
  });
  c.bind(QStringLiteral("mnuExecuteScript"), [runner, &window] {
    runner->runScript(window.txtMain().text());
    window.focusEditor();
  });
  c.bindArray(QStringLiteral("mnuMacro"), [runner, &window](int index) {
    shell::MenuArray* menu = window.commands().array(QStringLiteral("mnuMacro"));
    if (index < menu->fixedCount() || index >= menu->count()) return;
    const QString name = shell::CaptionWithoutShortcut(menu->item(index)->text());
    runner->runFile(QDir(macroFolder(window)).filePath(name + QStringLiteral(".mac")));
    window.focusEditor();
  });
  window.hooks().add(shell::PathHook::MacroMenuOnOpen,
                     [&window](const QString& path) { followFile(window, path); });
  window.hooks().add(shell::PathHook::MacroMenuOnSave,
                     [&window](const QString& path) { followFile(window, path); });
  window.hooks().add(shell::PathHook::AutoMacro, [runner, &window](const QString& path) {
    if (window.context().settings.truth(Setting::AutoMacroExecute) && IsScriptFile(path))
      runner->runFile(path);
  });
  InstallEventMacros(window);
}

}  // namespace automation
