// Scripts at work in the main window: the user's variables, the separator read afresh for every
// run, and a host over the window's editor, clipboard and shared selection range.
#pragma once

#include <QObject>
#include <QString>

#include "automation/macro_script.h"
#include "automation/macro_variables.h"

namespace shell {
class FrmMain;
}

namespace automation {

class MacroRunner : public QObject {
  Q_OBJECT
 public:
  explicit MacroRunner(shell::FrmMain& window);

  // Runs a script's text with the separator the settings hold now. The whole run undoes in one
  // step; a run longer than a moment shows its progress and stops at Escape (see MacroRunWatch);
  // a run that would make the text too long stops there and says so. A script asked for while
  // one runs (by an event or a timer of the window) does not run.
  MacroRunEnd runScript(const QString& script);
  // Runs a script file; a file that is missing or can't be read runs an empty script.
  MacroRunEnd runFile(const QString& path);
  bool running() const { return m_running; }
  // How long a run goes before the window hears from it, and how often then; for tests.
  void setWatchTimes(qint64 quietMs, qint64 everyMs);
  // Reloads the user variables from "Macroses.lst" (replacing, never merging).
  void loadUserMacros();
  const UserMacros& userMacros() const { return m_user; }
  // Every variable name inside a text replaced by its value now (templates, program lines).
  QString expand(const QString& text);

 private:
  shell::FrmMain& m_window;
  UserMacros m_user;
  bool m_running = false;
  qint64 m_quietMs;
  qint64 m_everyMs;
};

// What the user is told when a script stopped because its text would have grown past the limit.
QString TextLimitMessage();

// The window's macro runner, once installed; nullptr before.
MacroRunner* MacroRunnerOf(shell::FrmMain& window);

// A script file by its name: the extension "mac", or "mac" and one more character, in any case.
bool IsScriptFile(const QString& path);

// Shows the menu "Macro - скрипт" as MacroOnlyForOPS now wants it: with "1" only while the
// document at hand is a script file, otherwise always.
void FollowMacroMenuOption(shell::FrmMain& window);

void InstallMacros(shell::FrmMain& window);

}  // namespace automation
