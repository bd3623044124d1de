// What a user sees in a real window system: a virtual X server with a window manager, started by
// scripts/real-window-tests.sh. Elsewhere (offscreen) these tests are skipped.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "document/disk_check.h"
#include "document/recovery_file.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "shell/version.h"
#include "support/main_window_fixture.h"
#include "text/frm_convert.h"

namespace shell {
namespace {

using platform::MsgAnswer;
using testing_support::MainWindowTest;

// What a command-line tool prints, trimmed; "" when it fails.
QString run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(5000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// Starts the program itself on a program directory and finds its window; "" when none shows.
QString startProgram(QProcess& program, const QString& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("OSTREL_HOME", home);
  env.insert("QT_QPA_PLATFORM", "xcb");
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(OSTREL_PROGRAM), {});
  if (!program.waitForStarted()) return QString();
  QString window;
  for (int i = 0; i < 100 && window.isEmpty(); ++i) {
    window = run("xdotool", {"search", "--pid", QString::number(program.processId()), "--name",
                             "Ostrel XP"})
                 .section('\n', 0, 0);
    if (window.isEmpty()) QTest::qWait(100);
  }
  return window;
}

// Lets the window system and the window manager do their part.
void settle(int ms = 300) { QTest::qWait(ms); }

class RealWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a window system with a window manager";
  }

  FrmMain& showMain(const QString& commandLine = QString()) {
    FrmMain& w = start(commandLine);
    w.show();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    settle();
    return w;
  }

  text::FrmConvert* openConverter() {
    click("mnuConvert");
    auto* dialog = m_window->findChild<text::FrmConvert*>("frmConvert");
    EXPECT_NE(dialog, nullptr);
    if (dialog) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
    settle();
    return dialog;
  }
};

// Qt appended " — Ostrel XP" to every title the program set, and nobody saw it.
TEST_F(RealWindowTest, TitleOfTheProgramIsExactlyItsOwn) {
  QTemporaryDir home;
  QProcess program;
  const QString window = startProgram(program, home.path());
  ASSERT_FALSE(window.isEmpty()) << "the program showed no window";
  EXPECT_EQ(run("xdotool", {"getwindowname", window}), QString::fromUtf8(kStartCaption));
  program.kill();
  program.waitForFinished();
}

// The window crept up by one title bar at every opening and closing, and first opened in the
// screen's corner.
TEST_F(RealWindowTest, ToolWindowKeepsItsPlaceAcrossOpenAndClose) {
  FrmMain& w = showMain();
  w.move(100, 60);
  settle();
  text::FrmConvert* dialog = openConverter();
  ASSERT_NE(dialog, nullptr);
  // Over the middle of the main window (the screen's corner is far from it).
  const QPoint offCentre = dialog->frameGeometry().center() - w.frameGeometry().center();
  EXPECT_LE(std::abs(offCentre.x()), w.width() / 8) << offCentre.x();
  EXPECT_LE(std::abs(offCentre.y()), w.height() / 8) << offCentre.y();

  dialog->move(300, 250);
  settle();
  dialog->findChild<QPushButton*>("cmdClose")->click();
  settle(100);
  const QString top = setting("Convert_Top");
  const QString left = setting("Convert_Left");
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    dialog = openConverter();
    ASSERT_NE(dialog, nullptr);
    // The frame is put in its place once the window manager has framed the window.
    EXPECT_TRUE(QTest::qWaitFor(
        [dialog] { return dialog->frameGeometry().topLeft() == QPoint(300, 250); }, 3000))
        << dialog->frameGeometry().x() << "," << dialog->frameGeometry().y();
    dialog->findChild<QPushButton*>("cmdClose")->click();
    settle(100);
    EXPECT_EQ(setting("Convert_Top"), top);
    EXPECT_EQ(setting("Convert_Left"), left);
  }
}

// Coming back to the window from another program asked nothing.
TEST_F(RealWindowTest, ChangedFileIsAskedAboutOnComingBack) {
  m_settings->set(platform::Setting::WarnIfChanged, "1");
  const QString path = writeFile("a.txt", "one");
  FrmMain& w = showMain(path);

  QWidget other;
  other.setWindowTitle("another program");
  other.resize(300, 200);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  settle();
  test_files::put(path, "two, from another program");
  QFile(path).setFileTime(QDateTime::currentDateTime().addSecs(5),
                          QFileDevice::FileModificationTime);

  m_ui.answerMessage(MsgAnswer::Yes, "Документ был изменен другой программой.");
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  EXPECT_TRUE(QTest::qWaitFor([this] { return m_ui.allAnswered(); }, 3000));
  settle();
  EXPECT_EQ(m_ui.messages.size(), 1) << "asked once";
  EXPECT_EQ(w.txtMain().text(), "two, from another program");
}

// A user typing when the program dies: the next start offers the text back.
TEST_F(RealWindowTest, TextTypedBeforeAKillIsOfferedBackAtTheNextStart) {
  m_settings->set(platform::Setting::RecoveryDelay, "100");
  QProcess program;
  const QString window = startProgram(program, homePath());
  ASSERT_FALSE(window.isEmpty()) << "the program showed no window";
  run("xdotool", {"windowactivate", "--sync", window});
  settle();
  run("xdotool", {"type", "--delay", "20", "typed and never saved"});
  const QDir folder(homePath("Recovery"));
  const auto keptText = [&folder] {
    for (const QString& name : folder.entryList({"*.orec"}, QDir::Files))
      if (auto kept = document::ReadRecoveryFile(folder.filePath(name))) return kept->utf8;
    return QByteArray();
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return keptText() == "typed and never saved"; }, 10000))
      << keptText().toStdString();
  program.kill();  // SIGKILL: no destructor, no clean-up
  program.waitForFinished();
  ASSERT_EQ(program.exitStatus(), QProcess::CrashExit);

  m_ui.answerChoice(0, QStringLiteral("Безымянный"));
  showMain();
  QCoreApplication::processEvents();
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(m_window->txtMain().textUtf8(), "typed and never saved");
  EXPECT_TRUE(m_window->document().Dirty());
}

}  // namespace
}  // namespace shell
