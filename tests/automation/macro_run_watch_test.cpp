// A long script in the main window: it shows how far it has come, Escape stops it (and never
// closes the program, whatever ExitOnEscape says), a close waits for it, nothing else reaches the
// window meanwhile, and no second script starts inside it. The window hears from the script at
// once here (no quiet second, events at every statement), so nothing waits for a clock.
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "automation/macro_run_watch.h"
#include "automation/macro_runner.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace automation {
namespace {

using testing_support::MainWindowTest;

class MacroRunWatchTest : public MainWindowTest {
 protected:
  MacroRunner& startRunner() {
    shell::FrmMain& w = start();
    w.show();
    QCoreApplication::processEvents();
    MacroRunner* runner = MacroRunnerOf(w);
    EXPECT_NE(runner, nullptr);
    runner->setWatchTimes(0, 0);
    return *runner;
  }
  // Runs `work` when a statement of the script puts something on the clipboard: the moment a
  // user acts while the script runs.
  void whenClipboardChanges(std::function<void()> work) {
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, m_window.get(),
                     std::move(work), Qt::SingleShotConnection);
  }
  // As the window system delivers a key: shortcuts get their chance first.
  void press(Qt::Key key) { QTest::keyClick(m_window->txtMain().focusWidget(), key); }
};

const char* kScript =
    "setselectedtext a;setselectedtext b;setclipboardtext now;setselectedtext c;"
    "setselectedtext d;";

TEST_F(MacroRunWatchTest, EscapeStopsTheScriptAndNeverClosesTheProgram) {
  m_settings->set(platform::Setting::ExitOnEscape, "1");
  MacroRunner& runner = startRunner();
  shell::FrmMain& w = *m_window;
  QString statusMeanwhile;
  whenClipboardChanges([&] {
    statusMeanwhile = w.statusText().text();
    press(Qt::Key_Escape);
  });
  EXPECT_EQ(runner.runScript(kScript), MacroRunEnd::Stopped);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.txtMain().text(), "ab") << "the steps before Escape, and none after";
  EXPECT_TRUE(w.isVisible()) << "Escape belonged to the script";
  EXPECT_TRUE(statusMeanwhile.startsWith("Выполнение скрипта: ")) << statusMeanwhile.toStdString();
  EXPECT_TRUE(statusMeanwhile.endsWith("(Esc — остановить)"));
  EXPECT_FALSE(w.statusText().text().startsWith("Выполнение скрипта")) << "the counts are back";
  EXPECT_TRUE(w.document().Dirty());
  w.txtMain().undo();
  EXPECT_EQ(w.txtMain().text(), "");

  // With the script over, Escape is the exit key again.
  m_ui.answerMessage(platform::MsgAnswer::No);
  press(Qt::Key_Escape);
  QCoreApplication::processEvents();
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MacroRunWatchTest, KeysAndClicksGoNowhereWhileItRuns) {
  MacroRunner& runner = startRunner();
  shell::FrmMain& w = *m_window;
  whenClipboardChanges([&] {
    press(Qt::Key_Z);
    press(Qt::Key_Delete);
    QTest::mouseDClick(w.txtMain().primaryView()->viewport(), Qt::LeftButton);
  });
  EXPECT_EQ(runner.runScript(kScript), MacroRunEnd::Done);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.txtMain().text(), "abcd");
}

TEST_F(MacroRunWatchTest, CloseWaitsForTheScriptToStop) {
  MacroRunner& runner = startRunner();
  shell::FrmMain& w = *m_window;
  bool closedAtOnce = true;
  whenClipboardChanges([&] { closedAtOnce = w.close(); });
  EXPECT_EQ(runner.runScript(kScript), MacroRunEnd::Stopped);
  EXPECT_FALSE(closedAtOnce);
  EXPECT_EQ(w.txtMain().text(), "ab");
  // Then the window closes as the user asked, asking about the changed text first.
  m_ui.answerMessage(platform::MsgAnswer::No);
  QCoreApplication::processEvents();
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MacroRunWatchTest, NoSecondScriptStartsInsideARun) {
  MacroRunner& runner = startRunner();
  MacroRunEnd inner = MacroRunEnd::Done;
  whenClipboardChanges([&] {
    EXPECT_TRUE(runner.running());
    inner = runner.runScript("setselectedtext inner;");
  });
  EXPECT_EQ(runner.runScript(kScript), MacroRunEnd::Done);
  EXPECT_EQ(inner, MacroRunEnd::Stopped);
  EXPECT_FALSE(runner.running());
  EXPECT_EQ(m_window->txtMain().text(), "abcd");
}

TEST_F(MacroRunWatchTest, ShortRunLeavesTheWindowAlone) {
  // Within the quiet time the window hears nothing: no progress, no event let through.
  shell::FrmMain& w = start();
  MacroRunWatch watch(w, w.statusText(), 60 * 60 * 1000, 0);
  const QString status = w.statusText().text();
  bool ran = false;
  QObject context;
  QTimer::singleShot(0, &context, [&ran] { ran = true; });
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(watch.keepGoing(i, 100));
  EXPECT_FALSE(ran);
  EXPECT_EQ(w.statusText().text(), status);
}

}  // namespace
}  // namespace automation
