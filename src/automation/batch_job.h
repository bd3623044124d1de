// A batch run: the chosen actions applied to each chosen file of a folder, off the interface
// thread, each file read and written by the program's text-file rules and written once, whole.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <thread>
#include <vector>

#include "automation/batch_actions.h"

namespace automation {

struct BatchRequest {
  QString folder;
  QStringList files;   // names inside the folder, in list order
  QList<int> actions;  // indexes of the actions; they run in ascending order
  BatchSettings settings;
};

struct BatchReport {
  int written = 0;       // files really written
  QStringList failed;    // "name: reason" for each file left as it was
  bool stopped = false;  // the user stopped the run before every file was done
};

// Processes one file; returns "" when it was written, else the reason it was left alone. Stops
// between actions once `stop` is set, leaving the file unwritten.
QString ProcessBatchFile(const QString& path, const QList<int>& actions,
                         const BatchSettings& settings, const std::atomic<bool>& stop);

class BatchJob : public QObject {
  Q_OBJECT
 public:
  explicit BatchJob(BatchRequest request, QObject* parent = nullptr);
  ~BatchJob() override;  // stops the run and waits for it

  void start();
  // Files being processed are left as they were; no new file is begun.
  void stop() { m_stop = true; }
  bool isRunning() const { return !m_workers.empty(); }

 Q_SIGNALS:
  void progress(int done, int total);
  void finished(const automation::BatchReport& report);

 private:
  void work();
  void fileDone(const QString& name, const QString& failure, bool stopped);
  void workerDone();
  void join();

  BatchRequest m_request;
  std::atomic<bool> m_stop{false};
  std::atomic<int> m_next{0};
  std::vector<std::thread> m_workers;
  // Touched on the interface thread only, from queued calls.
  BatchReport m_report;
  int m_done = 0;
  int m_active = 0;  // workers still running
};

}  // namespace automation
