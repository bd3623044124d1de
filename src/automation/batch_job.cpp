#include "automation/batch_job.h"

#include <QDir>
#include <QMetaObject>
#include <algorithm>

#include "platform/file_reader.h"
#include "platform/text_file.h"

namespace automation {
namespace {

// Several files at once: a write waits for the disk most of its time, and the waits overlap.
constexpr int kWorkers = 4;

}  // namespace

QString ProcessBatchFile(const QString& path, const QList<int>& actions,
                         const BatchSettings& settings, const std::atomic<bool>& stop) {
  QString error;
  const auto contents = platform::ReadRegularFile(path, &error);
  if (!contents) return error;
  if (contents->partial) return QStringLiteral("файл менялся во время чтения");
  platform::ReadFidelity fidelity;
  platform::TextFormat format = platform::TextFile::detect(contents->bytes, &fidelity);
  // Text tools would mangle the bytes of a program or a picture.
  if (fidelity.binary) return QStringLiteral("двоичный файл");
  QByteArray utf8;
  utf8.reserve(contents->bytes.size() + contents->bytes.size() / 8);
  platform::TextFile::decodeToUtf8(contents->bytes, format,
                                   [&utf8](QByteArrayView piece) { utf8.append(piece); });
  QString text = QString::fromUtf8(utf8);
  utf8 = QByteArray();
  bool codePageBytes = false;
  // The list's order, whatever order they were chosen in.
  QList<int> ordered = actions;
  std::sort(ordered.begin(), ordered.end());
  for (int action : ordered) {
    if (stop) return QStringLiteral("остановлено");
    text = ApplyBatchAction(action, text, settings);
    if (action == kBatchCodePage)
      codePageBytes = settings.toCodePage != settings.fromCodePage && settings.toCodePage != 1;
  }
  if (stop) return QStringLiteral("остановлено");
  // After a change of code page each character stands for one byte of the target code page.
  if (codePageBytes) format = {platform::Encoding::Windows1251, false, format.lineEnd};
  text += QStringLiteral("\r\n");
  if (!platform::TextFile::write(path, text, format, &error)) return error;
  return QString();
}

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
    const QString failure =
        ProcessBatchFile(folder.filePath(name), m_request.actions, m_request.settings, m_stop);
    const bool stopped = failure.isEmpty() ? false : m_stop.load();
    QMetaObject::invokeMethod(
        this, [this, name, failure, stopped] { fileDone(name, failure, stopped); },
        Qt::QueuedConnection);
  }
  // Queued after this worker's last file, so the run ends once every result is in.
  QMetaObject::invokeMethod(this, [this] { workerDone(); }, Qt::QueuedConnection);
}

void BatchJob::fileDone(const QString& name, const QString& failure, bool stopped) {
  ++m_done;
  if (failure.isEmpty()) ++m_report.written;
  // A file the stop caught midway is left as it was, like the ones never begun.
  else if (!stopped) m_report.failed << name + QStringLiteral(": ") + failure;
  Q_EMIT progress(m_done, int(m_request.files.size()));
}

void BatchJob::workerDone() {
  if (--m_active > 0) return;
  join();
  m_report.stopped = m_stop && m_report.written + m_report.failed.size() < m_request.files.size();
  Q_EMIT finished(m_report);
}

}  // namespace automation
