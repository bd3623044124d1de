// Running a program and waiting for it: how it ended, what it complained about, and that
// stopping it ends everything it started.
#include "platform/process_run.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>

#include "support/processes.h"
#include "support/qt_print.h"

namespace platform {
namespace {

using End = ProcessOutcome::End;

ProcessOutcome RunShell(ProcessRun& process, const QString& script) {
  return process.run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
}

TEST(ProcessRun, TellsHowTheProgramEnded) {
  struct Case {
    const char* script;
    End end;
    int exitCode;
    int signal;
    QByteArray errors;
  } cases[] = {
      {"exit 0", End::Exited, 0, 0, ""},
      {"echo first >&2; echo second >&2; exit 3", End::Exited, 3, 0, "first\nsecond\n"},
      // Killed by a signal is not an exit code: the signal is named instead.
      {"echo dying >&2; kill -KILL $$", End::Crashed, 0, 9, "dying\n"},
      {"kill -SEGV $$", End::Crashed, 0, 11, ""},
  };
  ProcessRun process;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const ProcessOutcome outcome = RunShell(process, QString::fromUtf8(c.script));
    EXPECT_EQ(outcome.end, c.end);
    EXPECT_EQ(outcome.exitCode, c.exitCode);
    EXPECT_EQ(outcome.signal, c.signal);
    EXPECT_EQ(outcome.errors, c.errors);
  }
  const ProcessOutcome missing = process.run(QStringLiteral("/no/such/program"), {});
  EXPECT_EQ(missing.end, End::FailedToStart);
  EXPECT_FALSE(missing.reason.isEmpty());
}

TEST(ProcessRun, KeepsTheBeginningOfALongComplaint) {
  ProcessRun process;
  const ProcessOutcome outcome =
      RunShell(process, "i=0; while [ $i -lt 3000 ]; do echo line$i >&2; i=$((i+1)); done; exit 1");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_TRUE(outcome.errors.startsWith("line0\nline1\n")) << outcome.errors.left(40).toStdString();
  EXPECT_LE(outcome.errors.size(), 4096);
  EXPECT_GE(outcome.errors.size(), 4000);
}

TEST(ProcessRun, StopEndsEverythingTheProgramStarted) {
  struct Case {
    const char* name;
    QString script;  // writes the number of the process it started into the file "child"
    int grace;
  } cases[] = {
      {"a script waiting for its command", "sleep 60 & echo $! > child; wait", 3000},
      // The script ends at once; what it started pays no heed and is killed all the same.
      {"a command that ignores the request",
       "(trap '' TERM; exec sleep 60) & echo $! > child; wait", 3000},
      // The program itself pays no heed: after the grace time it is killed.
      {"a script that ignores the request", "trap '' TERM; sleep 60 & echo $! > child; wait", 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pidFile = folder.filePath("child");
    ProcessRun process;
    process.setStopGrace(c.grace);
    qint64 child = 0;
    QObject::connect(&process, &ProcessRun::started, &process, [&] {
      child = testing_support::WaitForPidFile(pidFile);
      process.stop();
    });
    const ProcessOutcome outcome =
        RunShell(process, "cd '" + folder.path() + "' || exit 1; " + c.script);
    EXPECT_EQ(outcome.end, End::Stopped);
    ASSERT_GT(child, 0);
    EXPECT_TRUE(QTest::qWaitFor([child] { return testing_support::ProcessGone(child); }, 10000))
        << "process " << child << " outlived the stop";
    EXPECT_FALSE(process.isRunning());
  }
}

TEST(ProcessRun, StopBetweenRunsDoesNothing) {
  ProcessRun process;
  process.stop();
  // The next run is not taken for a stopped one.
  EXPECT_EQ(RunShell(process, "exit 4").exitCode, 4);
  EXPECT_EQ(RunShell(process, "exit 0").end, End::Exited);
}

}  // namespace
}  // namespace platform
