// A batch run: the chosen actions applied to each chosen file of a folder, off the interface
// thread, each file processed by ProcessBatchFile and written at most once, whole.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <thread>
#include <vector>

#include "automation/batch_actions.h"
#include "automation/batch_file.h"
#include "automation/batch_report.h"

namespace automation {

struct BatchRequest {
  QString folder;
  QStringList files;   // names inside the folder, in list order
  QList<int> actions;  // indexes of the actions; they run in ascending order
  BatchSettings settings;
};

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
  void fileDone(const QString& name, const BatchFileResult& result, bool stopped);
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
