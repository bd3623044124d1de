#include "automation/batch_job.h"

#include <QDir>
#include <QMetaObject>
#include <algorithm>

namespace automation {
namespace {

// Several files at once: a write waits for the disk most of its time, and the waits overlap.
constexpr int kWorkers = 4;

}  // namespace

BatchJob::BatchJob(BatchRequest request, QObject* parent)
    : QObject(parent), m_request(std::move(request)) {}

BatchJob::~BatchJob() {
  m_stop = true;
  join();
}

void BatchJob::join() {
  for (std::thread& worker : m_workers)
    if (worker.joinable()) worker.join();
  m_workers.clear();
}

void BatchJob::start() {
  if (isRunning()) return;
  m_stop = false;
  m_next = 0;
  m_done = 0;
  m_report = {};
  m_active = std::min<int>(kWorkers, int(m_request.files.size()));
  if (m_active == 0) {
    Q_EMIT finished(m_report);
    return;
  }
  for (int i = 0; i < m_active; ++i) m_workers.emplace_back([this] { work(); });
}

void BatchJob::work() {
  const QDir folder(m_request.folder);
  for (int i = m_next++; i < m_request.files.size() && !m_stop; i = m_next++) {
    const QString name = m_request.files[i];
    const BatchFileResult result =
        ProcessBatchFile(folder.filePath(name), m_request.actions, m_request.settings, m_stop);
    const bool stopped = result.outcome == BatchOutcome::LeftAlone && m_stop.load();
    QMetaObject::invokeMethod(
        this, [this, name, result, stopped] { fileDone(name, result, stopped); },
        Qt::QueuedConnection);
  }
  // Queued after this worker's last file, so the run ends once every result is in.
  QMetaObject::invokeMethod(this, [this] { workerDone(); }, Qt::QueuedConnection);
}

void BatchJob::fileDone(const QString& name, const BatchFileResult& result, bool stopped) {
  ++m_done;
  m_report.add(name, result, stopped);
  Q_EMIT progress(m_done, int(m_request.files.size()));
}

void BatchJob::workerDone() {
  if (--m_active > 0) return;
  join();
  m_report.stopped = m_stop && m_report.written + m_report.unchanged + m_report.failed.size() <
                                  m_request.files.size();
  Q_EMIT finished(m_report);
}

}  // namespace automation
