#include "document/save_timers.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>

#include "document/backup.h"
#include "document/save_file.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace document {
namespace {

// Minutes from the settings, or 0 (never) when the value is not a number in range.
double minutes(const platform::SettingsStore& settings, const platform::SettingDef& def) {
  return settings.decimal(def).value_or(0);
}

}  // namespace

SaveTimers::SaveTimers(shell::FrmMain& window)
    : QObject(&window), m_window(window), m_autoSave(new QTimer(this)), m_backup(new QTimer(this)) {
  setObjectName("saveTimers");
  m_autoSave->setObjectName("tmrAutoSave");
  m_backup->setObjectName("tmrAutoBackUp");
  m_autoSave->setInterval(1000);
  connect(m_autoSave, &QTimer::timeout, this, &SaveTimers::autoSaveTick);
  connect(m_backup, &QTimer::timeout, this, &SaveTimers::backupTick);
}

void SaveTimers::restart() {
  const auto& s = m_window.context().settings;
  if (s.truth(platform::Setting::AutoSave)) m_autoSave->start();
  else m_autoSave->stop();
  const double backupMinutes = minutes(s, platform::Setting::AutoBackUpTime);
  if (s.truth(platform::Setting::AutoBackUp) && backupMinutes > 0) {
    m_backup->start(int(std::min(backupMinutes * 60000.0, 2.0e9)));
  } else {
    m_backup->stop();
  }
}

bool SaveTimers::autoSaveRunning() const { return m_autoSave->isActive(); }
bool SaveTimers::backupRunning() const { return m_backup->isActive(); }
int SaveTimers::backupIntervalMs() const { return m_backup->interval(); }

void SaveTimers::autoSaveTick() {
  ++m_seconds;
  const double period = minutes(m_window.context().settings, platform::Setting::AutoSaveTime);
  if (period <= 0) return;
  const long long every = std::max(1LL, (long long)(period * 60));
  const Document& doc = m_window.document();
  if (m_seconds % every == 0 && !m_saving && !doc.isUntitled() && doc.Dirty()) {
    const QScopedValueRollback<bool> saving(m_saving, true);
    SaveToFile(m_window, doc.path(), SaveBy::Timer);
  }
}

void SaveTimers::backupTick() {
  Document& doc = m_window.document();
  if (doc.isUntitled()) return;
  // A copy of what the user sees, beside the file; the document stays what it was, its own
  // encoding too when the copy had to be UTF-8 (the next save by hand asks about that).
  platform::EditControl& editor = m_window.txtMain();
  const platform::TextFormat own = editor.fileFormat();
  if (editor.saveFile(BackupPath(doc.path()))) return;
  if (editor.fileFormat() == own) return;
  editor.setFileFormat(own);
  m_window.statusText().setText(
      WrittenInUtf8Note(QStringLiteral("Резервная копия записана"),
                        NameCharacters(CharactersWindows1251Lacks(editor.textUtf8()))));
}

void InstallSaveTimers(shell::FrmMain& window) {
  auto* timers = new SaveTimers(window);
  window.hooks().add(shell::Hook::SaveTimers, [timers] { timers->restart(); });
}

}  // namespace document
