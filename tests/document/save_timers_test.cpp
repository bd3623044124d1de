// The timed save and the timed backup, ticked by hand.
#include "document/save_timers.h"

#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"

namespace document {
namespace {

using test_files::bytesOf;
using testing_support::MainWindowTest;
namespace Setting = platform::Setting;

class SaveTimersTest : public MainWindowTest {
 protected:
  SaveTimers& timers() { return *m_window->findChild<SaveTimers*>("saveTimers"); }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) timers().autoSaveTick();
  }
};

TEST_F(SaveTimersTest, StartFollowsTheSettings) {
  start();
  EXPECT_FALSE(timers().autoSaveRunning());
  EXPECT_FALSE(timers().backupRunning());
  m_window.reset();
  m_settings->set(Setting::AutoSave, "1");
  m_settings->set(Setting::AutoBackUp, "1");
  m_settings->set(Setting::AutoBackUpTime, "2");
  start();
  EXPECT_TRUE(timers().autoSaveRunning());
  EXPECT_TRUE(timers().backupRunning());
  EXPECT_EQ(timers().backupIntervalMs(), 120000) << "the settings dialog types minutes";
}

// The timed save used to fire once per program run.
TEST_F(SaveTimersTest, SavesAModifiedDocumentEveryPeriod) {
  m_settings->set(Setting::AutoSaveTime, "1");
  const QString path = writeFile("a.txt", "v0");
  shell::FrmMain& w = start(path);
  w.txtMain().setText("v1");
  ticks(59);
  EXPECT_EQ(bytesOf(path), "v0");
  ticks(1);
  EXPECT_EQ(bytesOf(path), "v1");
  w.txtMain().setText("v2");
  ticks(60);
  EXPECT_EQ(bytesOf(path), "v2");
}

TEST_F(SaveTimersTest, UntitledOrNoPeriodSavesNothing) {
  shell::FrmMain& w = start();
  w.txtMain().setText("x");
  ticks(120);
  EXPECT_TRUE(w.document().Dirty());
}

TEST_F(SaveTimersTest, BackupCopyLeavesTheDocumentAlone) {
  const QString path = writeFile("a.txt", "v0");
  shell::FrmMain& w = start(path);
  w.txtMain().setText("v1");
  timers().backupTick();
  EXPECT_EQ(bytesOf(homePath("a.bak")), "v1");
  EXPECT_EQ(bytesOf(path), "v0");
  EXPECT_EQ(w.document().path(), path);
  EXPECT_TRUE(w.document().Dirty());
}

// A timed save that fails says so in a box; the timer goes on ticking while the box waits for
// the user, and each period used to open one more box on top of it.
TEST_F(SaveTimersTest, AFailedSaveIsToldOnceWhileItsMessageWaits) {
  m_settings->set(Setting::AutoSaveTime, "1");
  const QString path = writeFile("a.txt", "v0");
  shell::FrmMain& w = start(path);
  const QString big(100000, 'x');
  w.txtMain().setText(big);
  {
    test_files::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    m_ui.answerMessage(platform::MsgAnswer::Ok, "Невозможно сохранить файл", [&] { ticks(180); });
    ticks(60);
  }
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(m_ui.messages.size(), 1);
  EXPECT_EQ(bytesOf(path), "v0");
  EXPECT_TRUE(w.document().Dirty());
  // Once the file can be written, the next period saves it.
  ticks(60);
  EXPECT_EQ(bytesOf(path), big.toLatin1());
  EXPECT_FALSE(w.document().Dirty());
}

}  // namespace
}  // namespace document
