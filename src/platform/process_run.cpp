#include "platform/process_run.h"

#include <QEventLoop>
#include <QProcess>

namespace platform {
namespace {

// Enough of the error output to say what went wrong; a chatty program must not fill memory.
constexpr qsizetype kErrorsKept = 4096;

}  // namespace

ProcessRun::ProcessRun(QObject* parent) : QObject(parent) {}

ProcessRun::~ProcessRun() {
  // Only reachable if the owner dies inside a run; the program must not outlive the wait.
  if (m_process) m_process->kill();
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
  connect(&process, &QProcess::readyReadStandardError, this, [&process, &outcome] {
    outcome.errors += process.readAllStandardError();
    if (outcome.errors.size() > kErrorsKept) outcome.errors = outcome.errors.right(kErrorsKept);
  });
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
  Q_EMIT started();
  if (!m_stopped && process.state() != QProcess::NotRunning) loop.exec();
  // The loop also ends when the application quits; the program is not left behind then.
  if (process.state() != QProcess::NotRunning) {
    m_stopped = true;
    process.kill();
    process.waitForFinished(-1);
  }
  m_loop = nullptr;
  m_process = nullptr;
  outcome.errors += process.readAllStandardError();
  if (outcome.errors.size() > kErrorsKept) outcome.errors = outcome.errors.right(kErrorsKept);
  if (m_stopped) {
    outcome.end = ProcessOutcome::End::Stopped;
  } else if (process.exitStatus() == QProcess::CrashExit) {
    outcome.end = ProcessOutcome::End::Crashed;
  } else {
    outcome.end = ProcessOutcome::End::Exited;
    outcome.exitCode = process.exitCode();
  }
  return outcome;
}

void ProcessRun::stop() {
  if (!m_process) return;
  m_stopped = true;
  m_process->kill();
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
