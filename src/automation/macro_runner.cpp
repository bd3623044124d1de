#include "automation/macro_runner.h"

#include <QLocale>
#include <QScopedValueRollback>

#include "automation/editor_macro_host.h"
#include "automation/macro_run_watch.h"
#include "automation/macro_script.h"
#include "document/file_paths.h"
#include "platform/text_file.h"
#include "shell/frm_main.h"
#include "shell/version.h"

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

// The outermost edit run of the editor, around the watch.
class EditRun {
 public:
  explicit EditRun(platform::EditControl& edit) : m_edit(edit) { m_edit.beginEditRun(); }
  ~EditRun() { m_edit.endEditRun(); }
  EditRun(const EditRun&) = delete;
  EditRun& operator=(const EditRun&) = delete;

 private:
  platform::EditControl& m_edit;
};

}  // namespace

MacroRunner::MacroRunner(shell::FrmMain& window)
    : QObject(&window), m_window(window), m_quietMs(kScriptQuietMs), m_everyMs(kScriptEventsEveryMs) {
  setObjectName(QStringLiteral("MacroRunner"));
}

void MacroRunner::setWatchTimes(qint64 quietMs, qint64 everyMs) {
  m_quietMs = quietMs;
  m_everyMs = everyMs;
}

QString TextLimitMessage() {
  return QStringLiteral(
      "Скрипт остановлен: текст стал бы длиннее предела в 1 ГБ (%1 символа). Текст остался "
      "таким, каким его сделали шаги скрипта до этого.")
      .arg(QLocale(QLocale::Russian).toString(kScriptTextLimit));
}

MacroRunner* MacroRunnerOf(shell::FrmMain& window) {
  return window.findChild<MacroRunner*>(QStringLiteral("MacroRunner"), Qt::FindDirectChildrenOnly);
}

MacroRunEnd MacroRunner::runScript(const QString& script) {
  // Between statements of a long run the window's events run; none of them may start another.
  if (m_running) return MacroRunEnd::Stopped;
  const QScopedValueRollback running(m_running, true);
  const QString separator = m_window.context().settings.get(platform::Setting::MacroSeperator);
  EditorMacroHost host = hostOf(m_window);
  MacroRunEnd end = MacroRunEnd::Done;
  {
    // The editor's listeners hear of the run after the window is itself again: what they set
    // (the status bar, the commands) must not be undone by the watch going away.
    const EditRun editRun(m_window.txtMain());
    MacroRunWatch watch(m_window, m_window.statusText(), m_quietMs, m_everyMs);
    MacroRunOptions options;
    options.keepGoing = [&watch](qsizetype done, qsizetype total) {
      return watch.keepGoing(done, total);
    };
    end = RunMacroScript(script, separator, host, m_user, options);
  }
  if (end == MacroRunEnd::TextLimit)
    m_window.context().ui.message(TextLimitMessage(), QString::fromUtf8(shell::kProgramName),
                                  platform::MsgButtons::Ok, platform::MsgIcon::Warning);
  return end;
}

MacroRunEnd MacroRunner::runFile(const QString& path) {
  if (path.isEmpty()) return MacroRunEnd::Done;
  const auto file = platform::TextFile::read(path);
  return runScript(file ? file->text : QString());
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
