// The command line: the path it names made absolute, and the questions about the program that
// are answered on the terminal, checked on the real program as a user starts it.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "shell/version.h"

namespace shell {
namespace {

TEST(CommandLinePath, RelativePathGetsTheWorkingFolderAndNothingElseChanges) {
  struct {
    const char* commandLine;
    const char* workingDir;
    const char* expect;
  } cases[] = {
      {"notes.txt", "/home/u", "/home/u/notes.txt"},
      {"../notes.txt", "/home/u/docs", "/home/u/docs/../notes.txt"},
      {"./a//b.txt", "/w", "/w/./a//b.txt"},
      {"notes.txt", "/", "/notes.txt"},
      {"/etc/hosts", "/w", "/etc/hosts"},
      {"my notes.txt", "/w", "/w/my notes.txt"},
      {"\"quoted.txt\"", "/w", "/w/\"quoted.txt\""},
      {"~/x.txt", "/w", "/w/~/x.txt"},
      {"", "/w", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    EXPECT_EQ(CommandLinePath(QString::fromUtf8(c.commandLine), QString::fromUtf8(c.workingDir)),
              QString::fromUtf8(c.expect));
  }
}

TEST(CommandLineInfo, OnlyTheQuestionsAloneAndWithoutSuchAFileAreAnswered) {
  QTemporaryDir dir;
  const QString version = "Ostrel XP 2.3.6 build 23\n";
  struct {
    const char* commandLine;
    const char* answer;  // nullptr: the command line is a file's name
  } cases[] = {
      {"--version", "version"}, {"--help", "help"},     {"-h", "help"},
      {"--Help", nullptr},      {"--help x", nullptr},  {"-help", nullptr},
      {"notes.txt", nullptr},   {"", nullptr},          {"--version ", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    const auto info = CommandLineInfo(QString::fromUtf8(c.commandLine), dir.path());
    if (!c.answer) {
      EXPECT_FALSE(info.has_value());
      continue;
    }
    ASSERT_TRUE(info.has_value());
    if (QByteArray(c.answer) == "version") {
      EXPECT_EQ(*info, version);
    } else {
      EXPECT_TRUE(info->startsWith(version));
      EXPECT_TRUE(info->contains("Использование: ostrel [ФАЙЛ]"));
      EXPECT_TRUE(info->contains("--version"));
    }
  }
  // A file of that name is what the user means; a folder of that name is nothing to open.
  QFile file(dir.path() + "/--version");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_TRUE(QDir(dir.path()).mkdir("--help"));
  EXPECT_FALSE(CommandLineInfo("--version", dir.path()).has_value());
  EXPECT_TRUE(CommandLineInfo("--help", dir.path()).has_value());
}

struct Finished {
  int exitCode = -1;
  QString out;
  QString err;
};

// Runs the program to its end in `workingDir`, with no display to connect to.
Finished runProgram(const QStringList& arguments, const QString& workingDir) {
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("DISPLAY");
  env.remove("WAYLAND_DISPLAY");
  env.insert("QT_QPA_PLATFORM", "xcb");
  program.setProcessEnvironment(env);
  program.setWorkingDirectory(workingDir);
  program.start(QStringLiteral(OSTREL_PROGRAM), arguments);
  Finished result;
  if (!program.waitForFinished(30000)) {
    program.kill();
    program.waitForFinished();
    return result;
  }
  result.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
  result.out = QString::fromUtf8(program.readAllStandardOutput());
  result.err = QString::fromUtf8(program.readAllStandardError());
  return result;
}

TEST(ProgramCommandLine, VersionAndHelpArePrintedWithoutADisplay) {
  QTemporaryDir dir;
  struct {
    const char* argument;
    const char* begins;
    const char* holds;
  } cases[] = {
      {"--version", "Ostrel XP 2.3.6 build 23\n", ""},
      {"--help", "Ostrel XP 2.3.6 build 23\n", "Использование: ostrel [ФАЙЛ]"},
      {"-h", "Ostrel XP 2.3.6 build 23\n", "-h, --help"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.argument);
    const Finished run = runProgram({QString::fromUtf8(c.argument)}, dir.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QString::fromUtf8(c.begins))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QString::fromUtf8(c.holds))) << run.out.toStdString();
    EXPECT_EQ(run.err, "");
  }
  EXPECT_EQ(runProgram({"--version"}, dir.path()).out,
            QString::fromUtf8(kProgramName) + " " + QString::fromUtf8(kVersion) + "\n");
}

// Starts the program offscreen in `workingDir` on a program folder `home`, and waits until the
// first item of its recent files is not empty; returns that item ("" when none came).
QString firstRecentOfProgram(const QStringList& arguments, const QString& workingDir,
                             const QString& home) {
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("OSTREL_HOME", home);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  program.setProcessEnvironment(env);
  program.setWorkingDirectory(workingDir);
  program.start(QStringLiteral(OSTREL_PROGRAM), arguments);
  if (!program.waitForStarted()) return QString();
  QString first;
  const auto readFirst = [&] {
    QFile recent(home + "/Opened.lst");
    if (recent.open(QIODevice::ReadOnly)) first = QString::fromUtf8(recent.readLine()).trimmed();
    return !first.isEmpty() || program.state() == QProcess::NotRunning;
  };
  EXPECT_TRUE(QTest::qWaitFor(readFirst, 30000));
  program.kill();
  program.waitForFinished();
  return first;
}

TEST(ProgramCommandLine, RelativePathIsStoredFromTheWorkingFolder) {
  QTemporaryDir dir;
  QDir().mkpath(dir.path() + "/work");
  QFile notes(dir.path() + "/work/notes.txt");
  ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
  notes.write("заметки");
  notes.close();
  const QString workingDir = QDir(dir.path() + "/work").canonicalPath();
  EXPECT_EQ(firstRecentOfProgram({"notes.txt"}, workingDir, dir.path() + "/home"),
            workingDir + "/notes.txt");
}

TEST(ProgramCommandLine, FileNamedLikeAQuestionIsOpened) {
  QTemporaryDir dir;
  QFile named(dir.path() + "/--help");
  ASSERT_TRUE(named.open(QIODevice::WriteOnly));
  named.write("a file, not a question");
  named.close();
  const QString workingDir = QDir(dir.path()).canonicalPath();
  EXPECT_EQ(firstRecentOfProgram({"--help"}, workingDir, dir.path() + "/home"),
            workingDir + "/--help");
}

}  // namespace
}  // namespace shell
