#include "automation/programs.h"

#include <QAction>
#include <QFileInfo>

#include "automation/frm_program.h"
#include "document/file_dialogs.h"
#include "document/open_file.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace automation {
namespace {

// Programs here carry no extension; scripts are recognised by theirs.
constexpr const char* kProgramFilter =
    "Программы (*)|*|Сценарии (*.sh;*.py;*.pl;*.rb)|*.sh;*.py;*.pl;*.rb";

const QString kMenu = QStringLiteral("mnuProgram");

void say(shell::FrmMain& window, const QString& text, platform::MsgIcon icon) {
  window.context().ui.message(text, QString::fromUtf8(shell::kProgramName),
                              platform::MsgButtons::Ok, icon);
}

std::optional<QString> chooseProgram(shell::FrmMain& window) {
  shell::AppContext& ctx = window.context();
  platform::FileRequest request;
  request.filter = QString::fromUtf8(kProgramFilter);
  request.title = QStringLiteral("Выбор программы");
  request.initialDir = document::LastDir(ctx);
  const platform::FileChoice choice = ctx.ui.openFile(request);
  if (choice.path.isEmpty()) return std::nullopt;
  // Programs have no extension, which the document rule for folders would take for a folder.
  ctx.settings.set(platform::Setting::LastDir, QFileInfo(choice.path).absolutePath());
  return choice.path;
}

void viewLog(shell::FrmMain& window) {
  const QString path = window.context().paths.file(QStringLiteral("Program.log"));
  if (!QFileInfo::exists(path)) {
    say(window, QStringLiteral("Журнал работы программ «%1» ещё не создан.").arg(path),
        platform::MsgIcon::Information);
    return;
  }
  document::LFile(window, path);
}

}  // namespace

Programs::Programs(shell::FrmMain& window)
    : QObject(&window), m_window(window), m_exchange(new ProgramExchange(window)) {
  setObjectName(QStringLiteral("Programs"));
  // One run at a time: the menu (and a hot key on one of its items) waits for the run to end.
  connect(m_exchange, &ProgramExchange::runningChanged, this, [this](bool running) {
    if (shell::MenuArray* menu = m_window.commands().array(kMenu)) menu->setEnabled(!running);
  });
}

QString Programs::listPath() const {
  return m_window.context().paths.file(QStringLiteral("Programs.lst"));
}

void Programs::load() {
  m_entries = ReadProgramList(listPath());
  shell::MenuArray* menu = m_window.commands().array(kMenu);
  if (!menu) return;
  menu->clear();
  for (const ProgramEntry& entry : m_entries) menu->add(entry.caption);
}

bool Programs::store(const ProgramEntries& entries) {
  QString error;
  const bool written = WriteProgramList(listPath(), entries, &error);
  if (!written)
    say(m_window, QStringLiteral("Не удалось сохранить список программ:\n") + error,
        platform::MsgIcon::Error);
  // The menu shows what the file holds, whether or not the write went through.
  load();
  return written;
}

bool Programs::acceptable(const ProgramEntry& entry) {
  const std::optional<QString> problem = ProgramEntryProblem(entry);
  if (problem) say(m_window, *problem, platform::MsgIcon::Warning);
  return !problem;
}

bool Programs::add(const ProgramEntry& entry) {
  if (!acceptable(entry)) return false;
  ProgramEntries entries = m_entries;
  entries.append(entry);
  return store(entries);
}

bool Programs::change(int index, const ProgramEntry& entry) {
  if (index < 0 || index >= m_entries.size() || !acceptable(entry)) return false;
  ProgramEntries entries = m_entries;
  entries[index] = entry;
  return store(entries);
}

bool Programs::remove(int index) {
  if (index < 0 || index >= m_entries.size()) return false;
  ProgramEntries entries = m_entries;
  entries.removeAt(index);
  return store(entries);
}

bool Programs::save() { return store(m_entries); }

bool Programs::editWithDialog(int mode, int index) {
  const ProgramEntry initial = mode == FrmProgram::kEdit ? m_entries.value(index) : ProgramEntry();
  FrmProgram dialog(
      FrmProgram::Mode(mode), initial, [this] { return chooseProgram(m_window); },
      [this](const ProgramEntry& entry) { return acceptable(entry); }, &m_window);
  if (m_window.context().ui.runModal(dialog) != QDialog::Accepted) return false;
  return mode == FrmProgram::kEdit ? change(index, dialog.entry()) : add(dialog.entry());
}

bool Programs::addWithDialog() { return editWithDialog(FrmProgram::kNew, -1); }

bool Programs::changeWithDialog(int index) {
  if (index < 0 || index >= m_entries.size()) return false;
  return editWithDialog(FrmProgram::kEdit, index);
}

bool Programs::launch(int index) {
  if (index < 0 || index >= m_entries.size()) return false;
  const QString& commandLine = m_entries[index].commandLine;
  if (m_window.context().shell.open(commandLine)) return true;
  say(m_window, QStringLiteral("Не удалось открыть «%1».").arg(commandLine), platform::MsgIcon::Error);
  return false;
}

ProgramExchange::Result Programs::process(int index) {
  shell::MenuArray* menu = m_window.commands().array(kMenu);
  if (index < 0 || index >= m_entries.size()) return ProgramExchange::Result::Refused;
  // The log names the item as the menu shows it, a hot key's name included.
  const int item = index + (menu ? menu->fixedCount() : 1);
  const QString caption =
      menu && item < menu->count() ? menu->item(item)->text() : m_entries[index].caption;
  return m_exchange->run(m_entries[index].commandLine, caption);
}

Programs* ProgramsOf(shell::FrmMain& window) {
  return window.findChild<Programs*>(QStringLiteral("Programs"), Qt::FindDirectChildrenOnly);
}

void InstallPrograms(shell::FrmMain& window) {
  auto* programs = new Programs(window);
  window.hooks().add(shell::Hook::Programs, [programs] { programs->load(); });
  window.commands().bindArray(kMenu, [programs, &window](int index) {
    const shell::MenuArray* menu = window.commands().array(kMenu);
    if (index >= menu->fixedCount()) programs->process(index - menu->fixedCount());
  });
  window.commands().bind(QStringLiteral("mnuViewLog"), [&window] { viewLog(window); });
}

}  // namespace automation
