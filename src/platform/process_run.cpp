#include "platform/process_run.h"

#include <signal.h>
#include <unistd.h>

#include <QEventLoop>
#include <QProcess>

namespace platform {
namespace {

// Enough of the error output to say what went wrong; a chatty program must not fill memory.
constexpr qsizetype kErrorsKept = 4096;
constexpr int kStopGrace = 3000;

void keepErrors(QByteArray& kept, const QByteArray& more) {
  if (kept.size() < kErrorsKept) kept += more.left(kErrorsKept - kept.size());
}

}  // namespace

ProcessRun::ProcessRun(QObject* parent) : QObject(parent) {
  m_killTimer.setSingleShot(true);
  m_killTimer.setInterval(kStopGrace);
  connect(&m_killTimer, &QTimer::timeout, this, [this] { signalGroup(SIGKILL); });
}

ProcessRun::~ProcessRun() {
  // Only reachable if the owner dies inside a run; the program must not outlive the wait.
  signalGroup(SIGKILL);
}

void ProcessRun::signalGroup(int signal) const {
  // Never 0 or less: kill(0, ...) would reach this program's own group.
  if (m_group > 0) ::kill(-pid_t(m_group), signal);
}

ProcessOutcome ProcessRun::run(const QString& program, const QStringList& arguments) {
  ProcessOutcome outcome;
  if (m_loop) {
    outcome.reason = QStringLiteral("уже выполняется другая программа");
    return outcome;
  }
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  // A program that reads its standard input would otherwise wait for ever on an open pipe.
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  // Between fork and exec: the program leads a group of its own, which everything it starts
  // joins, so stop() reaches all of them at once.
  process.setChildProcessModifier([] { ::setpgid(0, 0); });
  connect(&process, &QProcess::readyReadStandardError, this,
          [&process, &outcome] { keepErrors(outcome.errors, process.readAllStandardError()); });
  QEventLoop loop;
  connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  m_loop = &loop;
  m_process = &process;
  m_stopped = false;
  process.start();
  if (!process.waitForStarted(-1)) {
    outcome.reason = process.errorString();
    m_loop = nullptr;
    m_process = nullptr;
    return outcome;
  }
  // Started means the program has been executed, so it already leads its group.
  m_group = process.processId();
  Q_EMIT started();
  if (!m_stopped && process.state() != QProcess::NotRunning) loop.exec();
  // The loop also ends when the application quits; the program is not left behind then.
  if (process.state() != QProcess::NotRunning) m_stopped = true;
  // A stopped program's group goes whole, also what ignored the request to end.
  if (m_stopped) signalGroup(SIGKILL);
  process.waitForFinished(-1);
  m_killTimer.stop();
  m_group = 0;
  m_loop = nullptr;
  m_process = nullptr;
  keepErrors(outcome.errors, process.readAllStandardError());
  if (m_stopped) {
    outcome.end = ProcessOutcome::End::Stopped;
  } else if (process.exitStatus() == QProcess::CrashExit) {
    outcome.end = ProcessOutcome::End::Crashed;
    // For a program killed by a signal the exit code is that signal's number.
    outcome.signal = process.exitCode();
  } else {
    outcome.end = ProcessOutcome::End::Exited;
    outcome.exitCode = process.exitCode();
  }
  return outcome;
}

void ProcessRun::stop() {
  if (!m_process || m_stopped) return;
  m_stopped = true;
  signalGroup(SIGTERM);
  m_killTimer.start();
}

bool StartDetached(const QString& program, const QStringList& arguments, QString* error) {
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  process.setStandardInputFile(QProcess::nullDevice());
  if (process.startDetached()) return true;
  if (error) *error = process.errorString();
  return false;
}

}  // namespace platform
