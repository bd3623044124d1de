#include "automation/event_macros.h"

#include <QDir>
#include <QFileInfo>

#include "automation/macro_runner.h"
#include "platform/ini_file.h"
#include "shell/frm_main.h"

namespace automation {
namespace {

const char* eventName(MacroEvent event) {
  switch (event) {
    case MacroEvent::Start: return "Start";
    case MacroEvent::Exit: return "Exit";
    case MacroEvent::Open: return "Open";
    case MacroEvent::Save: return "Save";
    case MacroEvent::Copy: return "Copy";
    case MacroEvent::Paste: return "Paste";
    case MacroEvent::Cut: return "Cut";
    case MacroEvent::Delete: return "Delete";
  }
  return "";
}

}  // namespace

QString EnableKey(MacroEvent event) {
  return QStringLiteral("On") + QLatin1String(eventName(event)) + QStringLiteral("Enable");
}

QString FileKey(MacroEvent event) {
  return QStringLiteral("On") + QLatin1String(eventName(event)) + QStringLiteral("File");
}

void RunEventMacro(shell::FrmMain& window, MacroEvent event) {
  MacroRunner* runner = MacroRunnerOf(window);
  if (!runner) return;
  platform::AppPaths& paths = window.context().paths;
  const platform::IniFile ini(paths.file(QStringLiteral("Macro.ini")));
  const QString main = QStringLiteral("Main");
  if (ini.read(main, EnableKey(event), QStringLiteral("0")) != u"1") return;
  QString file = ini.read(main, FileKey(event), QString());
  if (file.isEmpty()) return;
  // A relative name is taken from the program folder, where the binding file itself lies.
  if (QFileInfo(file).isRelative()) file = QDir(paths.programDir()).filePath(file);
  runner->runFile(file);
}

void InstallEventMacros(shell::FrmMain& window) {
  using shell::Hook;
  const std::pair<Hook, MacroEvent> bindings[] = {
      {Hook::StartMacro, MacroEvent::Start}, {Hook::ExitMacro, MacroEvent::Exit},
      {Hook::OpenMacro, MacroEvent::Open},   {Hook::SaveMacro, MacroEvent::Save},
      {Hook::CopyMacro, MacroEvent::Copy},   {Hook::PasteMacro, MacroEvent::Paste},
      {Hook::CutMacro, MacroEvent::Cut},     {Hook::DeleteMacro, MacroEvent::Delete}};
  for (const auto& binding : bindings)
    window.hooks().add(binding.first,
                       [&window, event = binding.second] { RunEventMacro(window, event); });
}

}  // namespace automation
