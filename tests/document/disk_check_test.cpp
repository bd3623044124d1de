// The question about a file changed by another program.
#include "document/disk_check.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

#include "platform/cp1251.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"
#include "text/code_page.h"

namespace document {
namespace {

using platform::MsgAnswer;
using testing_support::MainWindowTest;

class DiskCheckTest : public MainWindowTest {
 protected:
  // Another program rewrites the file; its time stamp moves on.
  void changeOnDisk(const QString& path, const QByteArray& bytes) {
    test_files::put(path, bytes);
    QFile f(path);
    f.open(QIODevice::ReadWrite);
    f.setFileTime(QDateTime::currentDateTime().addSecs(++m_step), QFileDevice::FileModificationTime);
  }
  int m_step = 0;
};

TEST_F(DiskCheckTest, OffByDefaultAndNeverForUntitled) {
  const QString path = writeFile("a.txt", "one");
  shell::FrmMain& w = start(path);
  changeOnDisk(path, "two");
  CheckDiskChange(w);
  m_settings->set(platform::Setting::WarnIfChanged, "1");
  w.document().setPath(QString());
  CheckDiskChange(w);
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(DiskCheckTest, AsksOncePerChangeAndYesReloads) {
  m_settings->set(platform::Setting::WarnIfChanged, "1");
  const QString path = writeFile("a.txt", "one");
  shell::FrmMain& w = start(path);
  CheckDiskChange(w);
  EXPECT_TRUE(m_ui.messages.isEmpty()) << "nothing changed yet";

  changeOnDisk(path, "two");
  m_ui.answerMessage(MsgAnswer::No, "Документ был изменен другой программой.\nХотите его обновить");
  CheckDiskChange(w);
  EXPECT_EQ(m_ui.messages[0].title, "Ostrel XP 2.3.6 build 23");
  // The question used to come back every time the editor got the focus.
  CheckDiskChange(w);
  EXPECT_EQ(m_ui.messages.size(), 1);
  EXPECT_EQ(w.txtMain().text(), "one");

  changeOnDisk(path, "three");
  m_ui.answerMessage(MsgAnswer::Yes);
  CheckDiskChange(w);
  EXPECT_EQ(w.txtMain().text(), "three");
  EXPECT_FALSE(w.document().Dirty());
}

TEST_F(DiskCheckTest, ChangedAndChangedBackAsksNothing) {
  m_settings->set(platform::Setting::WarnIfChanged, "1");
  const QString path = writeFile("a.txt", "same");
  shell::FrmMain& w = start(path);
  changeOnDisk(path, "same");
  CheckDiskChange(w);
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(DiskCheckTest, AsksWhenTheWindowBecomesActiveAgain) {
  // Coming back to the window from another one used to ask nothing: the editor kept its focus
  // all along, so it never got it again.
  m_settings->set(platform::Setting::WarnIfChanged, "1");
  const QString path = writeFile("a.txt", "one");
  shell::FrmMain& w = start(path);
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QApplication::processEvents();

  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  changeOnDisk(path, "two");
  m_ui.answerMessage(MsgAnswer::Yes, "Документ был изменен другой программой.");
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  EXPECT_TRUE(QTest::qWaitFor([this] { return m_ui.allAnswered(); }, 2000));
  QApplication::processEvents();
  EXPECT_EQ(m_ui.messages.size(), 1) << "asked once";
  EXPECT_EQ(w.txtMain().text(), "two");
}

TEST_F(DiskCheckTest, DocumentShownInACodePageIsComparedAsTheBytesItWouldSave) {
  m_settings->set(platform::Setting::WarnIfChanged, "1");
  const QByteArray koi = cp1251::encode(text::ConvertCodePage(u"Привет, мир", 1, 3));
  const QString path = writeFile("koi.txt", koi + "\r\n");
  shell::FrmMain& w = start(path);
  m_window->commands().array("mnuSetCodir")->item(2)->trigger();
  ASSERT_EQ(w.txtMain().text(), "Привет, мир\r\n");

  // Another program touches the file without changing it: the converted text is what it holds.
  changeOnDisk(path, koi + "\r\n");
  CheckDiskChange(w);
  EXPECT_TRUE(m_ui.messages.isEmpty());

  // Yes reads the file as opening does; a later save must not convert it a second time.
  changeOnDisk(path, koi + "!\r\n");
  m_ui.answerMessage(MsgAnswer::Yes);
  CheckDiskChange(w);
  EXPECT_EQ(w.txtMain().text(), cp1251::decode(koi) + "!\r\n");
  EXPECT_EQ(w.document().CurCodir(), 1);
  w.txtMain().setText(w.txtMain().text() + "?");
  click("mnuSave");
  EXPECT_EQ(test_files::bytesOf(path), koi + "!\r\n?");
}

}  // namespace
}  // namespace document
