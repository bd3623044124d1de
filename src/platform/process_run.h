// Running another program: started directly with an argument list (never through a shell, so
// nothing in a file name is ever taken as a command) and waited for in a local event loop, so
// the window keeps working meanwhile.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QEventLoop;
class QProcess;

namespace platform {

struct ProcessOutcome {
  enum class End {
    Exited,         // ended on its own; `exitCode` is what it returned
    FailedToStart,  // never ran; `reason` says why
    Crashed,        // killed by a signal it did not ask for
    Stopped,        // stopped by stop(), or the program is shutting down
  };
  End end = End::FailedToStart;
  int exitCode = 0;
  QString reason;
  // The last part of what the program wrote to its error output, for a message.
  QByteArray errors;
};

class ProcessRun : public QObject {
  Q_OBJECT
 public:
  explicit ProcessRun(QObject* parent = nullptr);
  ~ProcessRun() override;

  // Starts `program` with `arguments` and returns when it has ended. Its standard input is
  // empty and its standard output goes nowhere. One run at a time: a second call while one
  // runs fails to start.
  ProcessOutcome run(const QString& program, const QStringList& arguments);
  bool isRunning() const { return m_loop != nullptr; }
  // Kills the running program; run() then returns Stopped. Nothing happens between runs.
  void stop();

 Q_SIGNALS:
  // The program has started; run() is now waiting for it.
  void started();

 private:
  QEventLoop* m_loop = nullptr;
  QProcess* m_process = nullptr;
  bool m_stopped = false;
};

// Starts `program` with `arguments` and leaves it running on its own; false, with the reason in
// `error`, when it cannot be started.
bool StartDetached(const QString& program, const QStringList& arguments, QString* error = nullptr);

}  // namespace platform
