#include "automation/macro_runner.h"

#include "automation/editor_macro_host.h"
#include "automation/macro_script.h"
#include "document/file_paths.h"
#include "platform/text_file.h"
#include "shell/frm_main.h"

namespace automation {
namespace {

EditorMacroHost hostOf(shell::FrmMain& window) {
  shell::AppContext& ctx = window.context();
  EditorMacroHost::Window parts{
      [&window] { return window.selectionRange(); },
      [&window](const platform::SelRange& range) { window.setSelectionRange(range); },
      [&window] { return window.document().path(); }};
  return EditorMacroHost(window.txtMain(), ctx.clipboard, ctx.shell, std::move(parts));
}

}  // namespace

MacroRunner::MacroRunner(shell::FrmMain& window) : QObject(&window), m_window(window) {
  setObjectName(QStringLiteral("MacroRunner"));
}

MacroRunner* MacroRunnerOf(shell::FrmMain& window) {
  return window.findChild<MacroRunner*>(QStringLiteral("MacroRunner"), Qt::FindDirectChildrenOnly);
}

void MacroRunner::runScript(const QString& script) {
  const QString separator = m_window.context().settings.get(platform::Setting::MacroSeperator);
  EditorMacroHost host = hostOf(m_window);
  RunMacroScript(script, separator, host, m_user);
}

void MacroRunner::runFile(const QString& path) {
  if (path.isEmpty()) return;
  const auto file = platform::TextFile::read(path);
  runScript(file ? file->text : QString());
}

void MacroRunner::loadUserMacros() {
  m_user = LoadUserMacros(m_window.context().paths.file(QStringLiteral("Macroses.lst")));
}

QString MacroRunner::expand(const QString& text) {
  EditorMacroHost host = hostOf(m_window);
  return ExpandMacroVariables(text, m_user, host);
}

bool IsScriptFile(const QString& path) {
  const QString extension = document::FileExtension(path).toLower();
  return extension == u"mac" || (extension.size() == 4 && extension.startsWith(u"mac"));
}

}  // namespace automation
