// A script that runs for minutes, in the program itself under a real window system
// (scripts/real-window-tests.sh; skipped offscreen): Escape, sent as a user's key press, stops it
// with the exit on Escape turned on, and the program stays with the text the script made so far.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include "document/recovery_file.h"
#include "shell/version.h"
#include "support/child_program.h"
#include "support/main_window_fixture.h"

namespace automation {
namespace {

using testing_support::MainWindowTest;

// What a command-line tool prints, trimmed; "" when it fails.
QString run(const QString& program, const QStringList& arguments) {
  return testing_support::RunTool(program, arguments).value_or(QString());
}

class RealWindowMacroTest : public MainWindowTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a window system with a window manager";
  }
  void TearDown() override {
    if (m_program.state() != QProcess::NotRunning) {
      m_program.kill();
      m_program.waitForFinished();
    }
  }

  // Starts the program on a document and finds its window by its title; "" when none shows.
  QString startProgram(const QString& document, const QString& title) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("OSTREL_HOME", homePath());
    env.insert("QT_QPA_PLATFORM", "xcb");
    m_program.setProcessEnvironment(env);
    m_program.start(QStringLiteral(OSTREL_PROGRAM), {document});
    if (!m_program.waitForStarted()) return QString();
    QString window;
    const QString pid = QString::number(m_program.processId());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
          window = run("xdotool", {"search", "--onlyvisible", "--pid", pid, "--name", title})
                       .section('\n', 0, 0);
          return !window.isEmpty();
        },
        15000));
    return window;
  }

  // The text the program keeps for recovery, "" while there is none.
  QString keptText() const {
    const QDir folder(homePath("Recovery"));
    for (const QString& name : folder.entryList({"*.orec"}, QDir::Files))
      if (auto kept = document::ReadRecoveryFile(folder.filePath(name)))
        return QString::fromUtf8(kept->utf8);
    return QString();
  }

  QProcess m_program;
};

TEST_F(RealWindowMacroTest, EscapeStopsALongScriptAndTheProgramStays) {
  m_settings->set(platform::Setting::ExitOnEscape, "1");
  m_settings->set(platform::Setting::RecoveryDelay, "100");
  // The document is the script: it says when it has begun, then inserts at the caret and
  // searches the whole text, over and over, for minutes (for a word in capitals, which reaches the
  // search in lower case and so is never found). It stays below the size that is loaded
  // in pieces, so it is all there when the window shows.
  const QString started = homePath("started.txt");
  constexpr int kRounds = 50000;
  QByteArray script = "writetofile " + started.toUtf8() + ",yes;\r\n";
  for (int i = 0; i < kRounds; ++i) script += "setselectedtext x;find $alltext,NOWHERE;\r\n";
  const QString document = writeFile("long.mac", script);
  const QString title =
      QStringLiteral("long.mac - %1 %2").arg(shell::kProgramName, shell::kVersion);
  const QString window = startProgram(document, title);
  ASSERT_FALSE(window.isEmpty()) << "the program showed no window";
  run("xdotool", {"windowactivate", "--sync", window});
  (void)QTest::qWaitFor([&] { return run("xdotool", {"getactivewindow"}) == window; }, 5000);

  // A key the window took before it was ready for keys is pressed again; one pressed while the
  // script runs goes nowhere.
  for (int i = 0; i < 10 && !QFile::exists(started); ++i) {
    if (i > 0) run("xdotool", {"windowactivate", "--sync", window});
    run("xdotool", {"windowfocus", "--sync", window});
    run("xdotool", {"key", "F5"});
    (void)QTest::qWaitFor([&] { return QFile::exists(started); }, 1000);
  }
  ASSERT_TRUE(QFile::exists(started)) << "the script did not start";
  run("xdotool", {"windowfocus", "--sync", window});
  run("xdotool", {"key", "Escape"});

  // Stopped: the text it made so far is there, and it is not the text of a finished run.
  EXPECT_TRUE(QTest::qWaitFor([&] { return keptText().startsWith("x"); }, 15000))
      << keptText().left(40).toStdString();
  const QString text = keptText();
  const qsizetype inserted = text.indexOf("writetofile");
  EXPECT_GT(inserted, 0);
  EXPECT_LT(inserted, kRounds);
  EXPECT_TRUE(text.mid(inserted) == QString::fromUtf8(script)) << "the script's own text changed";
  EXPECT_EQ(m_program.state(), QProcess::Running) << "Escape closed the program";
  EXPECT_EQ(run("xdotool", {"getwindowname", window}), title);
  // Nor did the program set about closing: a changed text would have it ask about saving.
  const QString shown = run("xdotool", {"search", "--onlyvisible", "--pid",
                                        QString::number(m_program.processId()), "--name", "."});
  EXPECT_EQ(shown, window) << "windows shown: " << shown.toStdString();
}

}  // namespace
}  // namespace automation
