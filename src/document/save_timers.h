// The timed save and the timed backup.
#pragma once

#include <QObject>

class QTimer;

namespace shell {
class FrmMain;
}

namespace document {

// The auto-save timer ticks once a second; every AutoSaveTime minutes a modified document
// with a file is saved. The backup timer writes a backup copy every AutoBackUpTime minutes
// without changing which file the document is.
class SaveTimers : public QObject {
  Q_OBJECT
 public:
  explicit SaveTimers(shell::FrmMain& window);

  // Reads AutoSave/AutoBackUp and starts or stops the timers (start-up, settings changes).
  void restart();
  bool autoSaveRunning() const;
  bool backupRunning() const;
  int backupIntervalMs() const;

  // One second of the auto-save timer, and one period of the backup timer.
  void autoSaveTick();
  void backupTick();

 private:
  shell::FrmMain& m_window;
  QTimer* m_autoSave;
  QTimer* m_backup;
  long long m_seconds = 0;
  // A timed save is under way, perhaps waiting in its failure message: the ticks meanwhile
  // start no other.
  bool m_saving = false;
};

void InstallSaveTimers(shell::FrmMain& window);

}  // namespace document
