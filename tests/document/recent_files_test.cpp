// The recent-files list, its file "Opened.lst" and its menu.
#include "document/recent_files.h"

#include <QAction>

#include "document/open_file.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "shell/menu_array.h"
#include "support/main_window_fixture.h"

namespace document {
namespace {

using testing_support::MainWindowTest;

TEST(AddToRecentList, NewestFirstWithoutRepeats) {
  struct Case {
    const char* name;
    QStringList before;
    QString path;
    int limit;
    QStringList after;
  } cases[] = {
      {"empty list", {}, "a", 3, {"a", "", "", ""}},
      {"pushes down", {"a", "b", "", ""}, "c", 3, {"c", "a", "b", ""}},
      {"the last slot is never pushed into", {"a", "b", "c", "z"}, "d", 3, {"d", "a", "b", "z"}},
      // The same path used to stand in several slots.
      {"a listed path moves to the top", {"a", "b", "c", ""}, "b", 3, {"b", "a", "c", ""}},
      {"already on top", {"a", "b", "", ""}, "a", 3, {"a", "b", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AddToRecentList(c.before, c.path, c.limit), c.after);
  }
  EXPECT_EQ(RecentCaption(0, "/home/u/notes.txt"), "&1  notes.txt");
}

class RecentFilesTest : public MainWindowTest {
 protected:
  QStringList menuCaptions() {
    QStringList captions;
    const auto& items = m_window->commands().array("mnuOpenedFile")->items();
    for (int i = 1; i < items.size(); ++i) captions << items[i]->text();
    return captions;
  }
};

TEST_F(RecentFilesTest, StartReadsTheListSkippingEmptyItems) {
  writeFile("Opened.lst", "/x/a.txt\r\n\r\n/y/b.txt\r\n");
  start();
  EXPECT_EQ(menuCaptions(), (QStringList{"&1  a.txt", "&2  b.txt"}));
  const QByteArray expected = "/x/a.txt\r\n/y/b.txt\r\n" + QByteArray(9, '\r').replace("\r", "\r\n");
  EXPECT_EQ(test_files::bytesOf(homePath("Opened.lst")), expected)
      << "rewritten with OpenedLimit + 1 slots";
}

TEST_F(RecentFilesTest, OpeningAddsAndAClickOpensAgain) {
  const QString a = writeFile("a.txt", "AAA");
  const QString b = writeFile("b.txt", "BBB");
  shell::FrmMain& w = start();
  ASSERT_TRUE(LFile(w, a));
  ASSERT_TRUE(LFile(w, b));
  ASSERT_TRUE(LFile(w, a));
  EXPECT_EQ(menuCaptions(), (QStringList{"&1  a.txt", "&2  b.txt"}));
  w.commands().array("mnuOpenedFile")->item(2)->trigger();
  EXPECT_EQ(w.txtMain().text(), "BBB");
  EXPECT_EQ(w.document().path(), b);
  w.recentFiles()->clear();
  EXPECT_TRUE(menuCaptions().isEmpty());
  EXPECT_EQ(test_files::bytesOf(homePath("Opened.lst")).count("\r\n"), 11);
}

TEST_F(RecentFilesTest, LimitFromTheSettings) {
  m_settings->set(platform::Setting::OpenedLimit, "2");
  shell::FrmMain& w = start();
  for (const char* name : {"1.txt", "2.txt", "3.txt"}) LFile(w, writeFile(name, "x"));
  EXPECT_EQ(menuCaptions(), (QStringList{"&1  3.txt", "&2  2.txt"}));
}

}  // namespace
}  // namespace document
