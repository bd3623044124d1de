// Running another program: started directly with an argument list (never through a shell, so
// nothing in a file name is ever taken as a command) and waited for in a local event loop, so
// the window keeps working meanwhile. The program runs in a process group of its own, so that
// stopping it also ends whatever it started itself (a script's commands).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class QEventLoop;
class QProcess;

namespace platform {

struct ProcessOutcome {
  enum class End {
    Exited,         // ended on its own; `exitCode` is what it returned
    FailedToStart,  // never ran; `reason` says why
    Crashed,        // killed by a signal it did not ask for; `signal` says which
    Stopped,        // stopped by stop(), or the program is shutting down
  };
  End end = End::FailedToStart;
  int exitCode = 0;
  int signal = 0;
  QString reason;
  // The first part of what the program wrote to its error output, for a message: the first
  // complaint is the one that explains the rest.
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
  // Asks the program and everything it started to end (SIGTERM to its process group); what is
  // still there after the grace time is killed. run() then returns Stopped, and no process of
  // the group is left behind. Nothing happens between runs.
  void stop();
  // How long a stopped program may take to end before it is killed.
  void setStopGrace(int milliseconds) { m_killTimer.setInterval(milliseconds); }

 Q_SIGNALS:
  // The program has started; run() is now waiting for it.
  void started();

 private:
  void signalGroup(int signal) const;

  QEventLoop* m_loop = nullptr;
  QProcess* m_process = nullptr;
  qint64 m_group = 0;  // the running program's process group; 0 between runs
  bool m_stopped = false;
  QTimer m_killTimer;
};

// Starts `program` with `arguments` and leaves it running on its own; false, with the reason in
// `error`, when it cannot be started.
bool StartDetached(const QString& program, const QStringList& arguments, QString* error = nullptr);

}  // namespace platform
