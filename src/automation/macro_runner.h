// Scripts at work in the main window: the user's variables, the separator read afresh for every
// run, and a host over the window's editor, clipboard and shared selection range.
#pragma once

#include <QObject>
#include <QString>

#include "automation/macro_variables.h"

namespace shell {
class FrmMain;
}

namespace automation {

class MacroRunner : public QObject {
  Q_OBJECT
 public:
  explicit MacroRunner(shell::FrmMain& window);

  // Runs a script's text with the separator the settings hold now.
  void runScript(const QString& script);
  // Runs a script file; a file that is missing or can't be read runs an empty script.
  void runFile(const QString& path);
  // Reloads the user variables from "Macroses.lst" (replacing, never merging).
  void loadUserMacros();
  const UserMacros& userMacros() const { return m_user; }
  // Every variable name inside a text replaced by its value now (templates, program lines).
  QString expand(const QString& text);

 private:
  shell::FrmMain& m_window;
  UserMacros m_user;
};

// The window's macro runner, once installed; nullptr before.
MacroRunner* MacroRunnerOf(shell::FrmMain& window);

// A script file by its name: the extension "mac", or "mac" and one more character, in any case.
bool IsScriptFile(const QString& path);

// Shows the menu "Macro - скрипт" as MacroOnlyForOPS now wants it: with "1" only while the
// document at hand is a script file, otherwise always.
void FollowMacroMenuOption(shell::FrmMain& window);

void InstallMacros(shell::FrmMain& window);

}  // namespace automation
