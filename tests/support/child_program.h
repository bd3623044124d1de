// The program itself started as a child process under the real X server of
// scripts/real-window-tests.sh, driven by xdotool while this process goes on answering the X
// server (it may own the clipboard the program asks, or a drag the program takes).
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace testing_support {

// Runs a command-line tool, letting this process's events run meanwhile; what it prints,
// trimmed, or nullopt when it fails.
inline std::optional<QString> RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted()) return std::nullopt;
  if (!QTest::qWaitFor([&process] { return process.state() == QProcess::NotRunning; }, 10000) ||
      process.exitCode() != 0)
    return std::nullopt;
  return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

class ChildProgram {
 public:
  ChildProgram() = default;
  ~ChildProgram() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.kill();
    m_process.waitForFinished();
  }

  // Starts the program on a program directory of its own with `arguments`, and waits until its
  // window is the active one. The window's id, or "" when none became active.
  QString start(const QStringList& arguments = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("OSTREL_HOME", m_home.path());
    env.insert("QT_QPA_PLATFORM", "xcb");
    m_process.setProcessEnvironment(env);
    // Another build of the program may stand in, to see a test fail on an older one.
    m_process.start(qEnvironmentVariable("OSTREL_TEST_PROGRAM", QStringLiteral(OSTREL_PROGRAM)),
                    arguments);
    if (!m_process.waitForStarted()) return QString();
    const QString pid = QString::number(m_process.processId());
    QString window;
    const bool shown = QTest::qWaitFor(
        [&] {
          window = RunTool("xdotool", {"search", "--onlyvisible", "--pid", pid, "--name",
                                       "Ostrel XP"})
                       .value_or(QString())
                       .section('\n', 0, 0);
          return !window.isEmpty();
        },
        10000);
    if (!shown) return QString();
    // A window mapped while the machine is busy (a sanitized build, the previous program still
    // going away) may miss its first activation: ask again, as a user clicks again.
    bool active = false;
    for (int i = 0; i < 10 && !active; ++i) {
      RunTool("xdotool", {"windowactivate", "--sync", window});
      active = QTest::qWaitFor(
          [&] { return RunTool("xdotool", {"getactivewindow"}) == window; }, 1500);
    }
    m_window = active ? window : QString();
    return m_window;
  }

  QString title() const {
    return RunTool("xdotool", {"getwindowname", m_window}).value_or(QString());
  }
  // Presses keys in the program's window, as the keyboard does.
  bool keys(const QString& combination) const {
    return RunTool("xdotool", {"key", "--clearmodifiers", combination}).has_value();
  }
  // A file in the program's directory.
  QString path(const QString& name) const { return m_home.filePath(name); }

 private:
  QTemporaryDir m_home;
  QProcess m_process;
  QString m_window;
};

}  // namespace testing_support
