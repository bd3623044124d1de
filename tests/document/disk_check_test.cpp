// The question about a file changed by another program.
#include "document/disk_check.h"

#include <QFile>

#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"

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

}  // namespace
}  // namespace document
